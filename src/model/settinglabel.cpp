#include "model/settinglabel.h"

#include "model/catalogue.h"
#include "model/pages.h"
#include "model/settingsstore.h"

#include <QStringList>

namespace {

// Zone-column hints longer than this are paragraphs, not names.
constexpr qsizetype ShortHint = 60;

// The edits without a caption of their own go by the text that stands beside them.
QString besideLabel(const QString& name)
{
    if (name == u"EeAdr_DS18B20_on_HI")
        return HardwareTexts().stepSwitchOn;
    if (name == u"EeAdr_DS18B20_off_HI")
        return HardwareTexts().stepSwitchOff;
    if (name == u"EeAdr_COD_VHOD")
        return FindSetting(QStringLiteral("_eee_SendEvVhod"))->caption;
    return {};
}

} // namespace

QString SettingLabel(const QString& name)
{
    const SettingDef* def = FindSetting(name);
    if (!def)
        return {};
    QString label = def->caption.isEmpty() ? besideLabel(def->name) : def->caption;
    if (def->zone == 0)
        return label;
    label = QStringLiteral("зона %1, %2").arg(def->zone).arg(label);
    if (!def->hint.isEmpty() && def->hint.size() <= ShortHint && def->hint != def->caption)
        label += " (" + def->hint + ")";
    return label;
}

QString ShownValue(const SettingsStore& store, const QString& name)
{
    const SettingDef* def = FindSetting(name);
    if (!def)
        return {};
    switch (def->kind) {
    case SettingKind::Choice: {
        const int index = store.choice(name);
        const QString number = QString::number(index);
        const QString item = index >= 0 ? def->items.value(index) : QStringLiteral("nothing chosen");
        // A list of numbers needs no item beside the index.
        return item == number ? number : QStringLiteral("%1 (%2)").arg(number, item);
    }
    case SettingKind::Flag: return store.flag(name) ? QStringLiteral("1") : QStringLiteral("0");
    default: return '"' + store.text(name) + '"';
    }
}

QString UserCellLabel(int row, int column)
{
    const QString heading = UserTableHeadings().value(column, QStringLiteral("column %1").arg(column));
    return QStringLiteral("пользователь %1, %2").arg(row).arg(heading);
}
