#include "ui/presets.h"

#include "model/catalogue.h"
#include "model/settingsstore.h"
#include "ui/apptexts.h"

const ZonePreset& ZeroDelaysPreset()
{
    static const ZonePreset preset{{QStringLiteral("EeAdr_DelEXIT"), QStringLiteral("EeAdr_DelVhod")},
                                   0,
                                   QStringLiteral("TS_Zones"),
                                   AppTexts::ZeroDelays};
    return preset;
}

const ZonePreset& NormallyOpenPreset()
{
    static const ZonePreset preset{{QStringLiteral("EeAdr_TypeZone")}, 2, QStringLiteral("TS_Zones"),
                                   AppTexts::AllZonesNO};
    return preset;
}

void ApplyZonePreset(SettingsStore& store, const ZonePreset& preset)
{
    for (const QString& family : preset.families)
        for (const SettingDef& def : SettingsCatalogue())
            if (def.family == family)
                store.setChoice(def.name, preset.index);
}
