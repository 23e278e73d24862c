#pragma once

#include <QLocale>

class PanelLink;
class SettingsStore;

struct ConfigReadOptions {
    bool readTemperature = false; // sCheckBox_ReadTemper, or the console's --temperature
    QLocale locale;               // decimal separator of the temperatures
};

// PNGButton_ReadClick's operation: logs in, walks the memory map block by block
// and decodes every reply, optionally fetches the temperature, reads the 30
// user records, and only then puts the whole configuration into the store,
// the title and the temperature caption. True when it ran to "Прочитано
// успешно."; a read that ends early changes none of them. False without
// running when another panel operation holds the link.
bool ReadConfiguration(PanelLink& link, SettingsStore& store, const ConfigReadOptions& options);
