#pragma once

#include <QString>

class PanelLink;
class SettingsStore;
struct ConfigReadOptions;

// The block walk of a read, after the login: every block of the memory map and
// the 30 user records, decoded into scratch. The read, the backup, the verify
// and the compare all use it, each with a scratch store of its own, so that a
// walk that ends early leaves nothing half-applied. False when it ended early
// (the link has told why). With options.readTemperature the present
// temperature is asked for after the thermostat blocks and put in
// *temperature, if the panel answers.
bool ReadPanelInto(PanelLink& link, SettingsStore& scratch, const ConfigReadOptions& options,
                   QString* temperature = nullptr);
