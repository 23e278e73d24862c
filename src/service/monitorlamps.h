#pragma once

#include <QList>
#include <QString>

// The lamps' on colours by the names the panel's picture uses; the widgets pick the shades.
enum class LampColour { Green, Yellow, Red, Aqua, Pink, Blue };

// A lamp of the monitor that follows one status bit.
struct MonitorLamp {
    QString name;
    int byte;
    int bit;
    LampColour colour;
};

// In the order the display sets them.
const QList<MonitorLamp>& monitorLamps();
