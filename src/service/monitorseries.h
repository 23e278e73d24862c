#pragma once

#include "service/monitorrecording.h"

#include <QString>
#include <array>
#include <vector>

// The recording as the plots draw it: supply, battery and temperature, each
// zone's loop resistance with its state changes marked, and the changes of
// outputs, tampers and faults marked on the supply line. Times are ms since the epoch.
struct SeriesPoint {
    qint64 time;
    double value;

    bool operator==(const SeriesPoint&) const = default;
};

struct SeriesMark {
    qint64 time;
    double value;
    QString text;

    bool operator==(const SeriesMark&) const = default;
};

struct MonitorSeries {
    static constexpr int Zones = 16;
    // Loops that are not measured in kilo-ohms sit above the measured range.
    static constexpr double ShortPlot = 0;
    static constexpr double AboveEightPlot = 9;
    static constexpr double OpenPlot = 10;

    std::vector<SeriesPoint> supply;      // V
    std::vector<SeriesPoint> battery;     // %
    std::vector<SeriesPoint> temperature; // C
    std::array<std::vector<SeriesPoint>, Zones> loops;
    std::array<std::vector<SeriesMark>, Zones> zoneChanges; // "НАРУШЕНА", "Снято", ...
    std::vector<SeriesMark> conditionChanges;               // "1-220В: ОТСУТ.", ...
};

// The loop's place on the resistance plot.
double LoopPlotValue(quint8 code);

// The blocks from `from` to `to` (ms, inclusive). Past maxPoints blocks the lines
// keep each stretch's lowest and highest value, so a short spike is never lost;
// the marks are every change, never thinned.
MonitorSeries BuildMonitorSeries(const MonitorRecording& recording, qint64 from, qint64 to, int maxPoints);
