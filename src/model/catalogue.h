#pragma once

#include "model/settingdef.h"

#include <vector>

// All 304 Settings, zone families expanded member by member (zone 1 to 16 of a
// column before the next column), in the order of the pages.
const std::vector<SettingDef>& SettingsCatalogue();

// nullptr for a name that is not in the catalogue.
const SettingDef* FindSetting(const QString& name);

// The member of a zone family: family, "_" and the zone 1..16 as two digits.
QString ZoneMemberName(const QString& family, int zone);
