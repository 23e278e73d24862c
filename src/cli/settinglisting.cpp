#include "cli/settinglisting.h"

#include "files/fileorder.h"
#include "model/catalogue.h"
#include "model/settinglabel.h"
#include "model/settingsstore.h"

namespace {

ListedValue settingLine(const FileSection& section, const SettingsStore& store)
{
    QString value;
    switch (section.key) {
    case FileKey::ItemIndex: value = QString::number(store.choice(section.name)); break;
    case FileKey::Checked: value = store.flag(section.name) ? QStringLiteral("1") : QStringLiteral("0"); break;
    case FileKey::Text: value = store.text(section.name); break;
    }
    return {section.name, value, SettingLabel(section.name), ShownValue(store, section.name)};
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
            lines.push_back({QStringLiteral("SG.Text %1,%2").arg(column).arg(row), text, UserCellLabel(row, column),
                             '"' + text + '"'});
        }
    }
    const QStringList memo = store.memo();
    for (qsizetype i = 0; i < memo.size(); ++i)
        lines.push_back({QStringLiteral("About.About%1").arg(i), memo.at(i), QStringLiteral("комментарий"),
                         '"' + memo.at(i) + '"'});
    return lines;
}
