#include "model/catalogue.h"

#include "model/catalogue_rows.h"

#include <QHash>

namespace {

std::vector<SettingDef> Build()
{
    std::vector<SettingDef> all;
    for (std::vector<SettingDef> page :
         {catalogue::HardwareSettings(), catalogue::ZoneSettings(), catalogue::UserSettings(),
          catalogue::OutputSettings(), catalogue::OtherSettings()})
        all.insert(all.end(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    all.push_back(catalogue::MemoSetting());
    return all;
}

QHash<QString, const SettingDef*> BuildIndex()
{
    QHash<QString, const SettingDef*> index;
    for (const SettingDef& def : SettingsCatalogue())
        index.insert(def.name, &def);
    return index;
}

} // namespace

const std::vector<SettingDef>& SettingsCatalogue()
{
    static const std::vector<SettingDef> catalogue = Build();
    return catalogue;
}

QString ZoneMemberName(const QString& family, int zone)
{
    return family + QStringLiteral("_%1").arg(zone, 2, 10, QLatin1Char('0'));
}

const SettingDef* FindSetting(const QString& name)
{
    static const QHash<QString, const SettingDef*> index = BuildIndex();
    return index.value(name, nullptr);
}
