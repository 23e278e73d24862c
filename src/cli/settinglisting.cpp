#include "cli/settinglisting.h"

#include "files/fileorder.h"
#include "model/catalogue.h"
#include "model/pages.h"
#include "model/settingsstore.h"

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

QString labelOf(const SettingDef& def)
{
    QString label = def.caption.isEmpty() ? besideLabel(def.name) : def.caption;
    if (def.zone == 0)
        return label;
    label = QStringLiteral("зона %1, %2").arg(def.zone).arg(label);
    if (!def.hint.isEmpty() && def.hint.size() <= ShortHint && def.hint != def.caption)
        label += " (" + def.hint + ")";
    return label;
}

ListedValue settingLine(const FileSection& section, const SettingsStore& store)
{
    const SettingDef* def = FindSetting(section.name);
    ListedValue line{section.name, {}, def ? labelOf(*def) : QString(), {}};
    switch (section.key) {
    case FileKey::ItemIndex: {
        const int index = store.choice(section.name);
        line.value = QString::number(index);
        const QString item = def && index >= 0 ? def->items.value(index) : QStringLiteral("nothing chosen");
        // A list of numbers needs no item beside the index.
        line.shown = item == line.value ? line.value : QStringLiteral("%1 (%2)").arg(line.value, item);
        break;
    }
    case FileKey::Checked:
        line.value = store.flag(section.name) ? QStringLiteral("1") : QStringLiteral("0");
        line.shown = line.value;
        break;
    case FileKey::Text:
        line.value = store.text(section.name);
        line.shown = '"' + line.value + '"';
        break;
    }
    return line;
}

QString cellLabel(int row, int column)
{
    const QString heading = UserTableHeadings().value(column, QStringLiteral("column %1").arg(column));
    return QStringLiteral("пользователь %1, %2").arg(row).arg(heading);
}

} // namespace

std::vector<ListedValue> ListSettings(const SettingsStore& store)
{
    std::vector<ListedValue> lines;
    for (const FileSection& section : FileOrder())
        lines.push_back(settingLine(section, store));
    for (int column = 1; column <= SettingsStore::GridColumns; ++column) {
        for (int row = 1; row <= SettingsStore::UserRows; ++row) {
            const QString text = store.cell(row, column);
            lines.push_back({QStringLiteral("SG.Text %1,%2").arg(column).arg(row), text, cellLabel(row, column),
                             '"' + text + '"'});
        }
    }
    const QStringList memo = store.memo();
    for (qsizetype i = 0; i < memo.size(); ++i)
        lines.push_back({QStringLiteral("About.About%1").arg(i), memo.at(i), QStringLiteral("комментарий"),
                         '"' + memo.at(i) + '"'});
    return lines;
}
