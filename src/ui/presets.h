#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// A quick preset that gives every zone the same choice in some columns. It
// changes the Settings only; nothing reaches the panel until a write.
struct ZonePreset {
    QStringList families; // set in this order, zone 1 to 16 each
    int index;
    QString page;         // shown afterwards
    QString message;
};

// Ctrl+1: no exit and no entry delay in any zone.
const ZonePreset& ZeroDelaysPreset();
// Ctrl+3: every zone's loop normally open ("NO").
const ZonePreset& NormallyOpenPreset();

void ApplyZonePreset(SettingsStore& store, const ZonePreset& preset);
