#include "model/catalogue_rows.h"

namespace catalogue {

QStringList NumberItems(int first, int count)
{
    QStringList items;
    items.reserve(count);
    for (int n = first; n < first + count; ++n)
        items << QString::number(n);
    return items;
}

SettingDef FlagSetting(const char* page, const char* name, const char* caption)
{
    SettingDef def;
    def.name = QString::fromUtf8(name);
    def.kind = SettingKind::Flag;
    def.page = QString::fromUtf8(page);
    def.caption = QString::fromUtf8(caption);
    def.inPanel = true;
    return def;
}

SettingDef ChoiceSetting(const char* page, const char* name, const char* label, const QStringList& items,
                         int defaultIndex, const char* hint)
{
    SettingDef def;
    def.name = QString::fromUtf8(name);
    def.kind = SettingKind::Choice;
    def.page = QString::fromUtf8(page);
    def.caption = QString::fromUtf8(label);
    def.hint = QString::fromUtf8(hint);
    def.items = items;
    def.defaultIndex = defaultIndex;
    def.inPanel = true;
    return def;
}

SettingDef TextSetting(const char* page, SettingKind kind, const char* name, const char* caption,
                       const char* defaultText, int maxLength, const char* hint)
{
    SettingDef def;
    def.name = QString::fromUtf8(name);
    def.kind = kind;
    def.page = QString::fromUtf8(page);
    def.caption = QString::fromUtf8(caption);
    def.hint = QString::fromUtf8(hint);
    def.defaultText = QString::fromUtf8(defaultText);
    def.maxLength = maxLength;
    def.inPanel = true;
    return def;
}

} // namespace catalogue
