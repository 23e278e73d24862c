#pragma once

#include "model/settingdef.h"

#include <cstddef>
#include <vector>

// Builders shared by the catalogue's page tables; only the catalogue sources use them.
namespace catalogue {

// "first" .. "first + count - 1", built rather than written out.
QStringList NumberItems(int first, int count);

SettingDef FlagSetting(const char* page, const char* name, const char* caption);

// A check box of a page table: its Setting and its caption.
struct FlagRow {
    const char* name;
    const char* caption;
};

template <std::size_t N>
void AddFlags(std::vector<SettingDef>& rows, const char* page, const FlagRow (&flags)[N])
{
    for (const FlagRow& flag : flags)
        rows.push_back(FlagSetting(page, flag.name, flag.caption));
}
SettingDef ChoiceSetting(const char* page, const char* name, const char* label, const QStringList& items,
                         int defaultIndex, const char* hint = "");
SettingDef TextSetting(const char* page, SettingKind kind, const char* name, const char* caption,
                       const char* defaultText, int maxLength, const char* hint = "");

// The page tables, each in its own source file.
std::vector<SettingDef> HardwareSettings();
std::vector<SettingDef> ZoneSettings();
std::vector<SettingDef> UserSettings();
std::vector<SettingDef> OutputSettings();
std::vector<SettingDef> OtherSettings();
SettingDef MemoSetting();

} // namespace catalogue
