#include "service/monitorseries.h"

#include "service/twostatetexts.h"
#include "service/zonestatetext.h"

#include <QStringList>
#include <cmath>
#include <functional>
#include <limits>

namespace {

using Reading = std::function<double(const MonitorStatus&)>;

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

double batteryReading(const MonitorStatus& status)
{
    const std::optional<int> percent = batteryPercent(status);
    return percent ? double(*percent) : std::numeric_limits<double>::quiet_NaN();
}

// The lowest and the highest reading of a stretch of blocks, in time order; one point when they agree.
void addStretch(const std::vector<const RecordedBlock*>& stretch, const Reading& reading, std::vector<SeriesPoint>& out)
{
    const RecordedBlock* low = nullptr;
    const RecordedBlock* high = nullptr;
    double lowValue = 0;
    double highValue = 0;
    for (const RecordedBlock* block : stretch) {
        const double value = reading(block->status);
        if (std::isnan(value))
            continue;
        if (!low || value < lowValue) {
            low = block;
            lowValue = value;
        }
        if (!high || value > highValue) {
            high = block;
            highValue = value;
        }
    }
    if (!low)
        return;
    if (low == high || lowValue == highValue) {
        out.push_back({low->time, lowValue});
        return;
    }
    const bool lowFirst = low->time <= high->time;
    out.push_back(lowFirst ? SeriesPoint{low->time, lowValue} : SeriesPoint{high->time, highValue});
    out.push_back(lowFirst ? SeriesPoint{high->time, highValue} : SeriesPoint{low->time, lowValue});
}

QString conditionChanges(const MonitorStatus& before, const MonitorStatus& now)
{
    QStringList texts;
    for (const TwoStateText& row : twoStateTexts)
        if (before.bit(row.byte, row.bit) != now.bit(row.byte, row.bit))
            texts << QString::fromUtf8(now.bit(row.byte, row.bit) ? row.set : row.clear);
    return texts.join(QStringLiteral("; "));
}

void markChanges(const MonitorStatus& before, const RecordedBlock& block, MonitorSeries& series)
{
    const MonitorStatus& now = block.status;
    for (int zone = 1; zone <= MonitorSeries::Zones; ++zone)
        if (zoneStateByte(before, zone) != zoneStateByte(now, zone))
            series.zoneChanges[size_t(zone - 1)].push_back(
                {block.time, LoopPlotValue(loopCodeByte(now, zone)),
                 "Зона " + twoDigits(zone) + ": " + ZoneStateWord(zoneStateByte(now, zone))});
    const QString changed = conditionChanges(before, now);
    if (!changed.isEmpty())
        series.conditionChanges.push_back({block.time, supplyVolts(now), changed});
}

} // namespace

double LoopPlotValue(quint8 code)
{
    switch (LoopClassOf(code)) {
    case LoopClass::Short: return MonitorSeries::ShortPlot;
    case LoopClass::Measured: return *LoopKiloOhms(code);
    case LoopClass::AboveEight: return MonitorSeries::AboveEightPlot;
    case LoopClass::Open: break;
    }
    return MonitorSeries::OpenPlot;
}

MonitorSeries BuildMonitorSeries(const MonitorRecording& recording, qint64 from, qint64 to, int maxPoints)
{
    std::vector<const RecordedBlock*> blocks;
    for (qsizetype i = 0; i < recording.size(); ++i)
        if (recording.at(i).time >= from && recording.at(i).time <= to)
            blocks.push_back(&recording.at(i));

    MonitorSeries series;
    std::vector<std::pair<Reading, std::vector<SeriesPoint>*>> lines{
        {supplyVolts, &series.supply}, {batteryReading, &series.battery}, {temperatureCelsius, &series.temperature}};
    for (int zone = 1; zone <= MonitorSeries::Zones; ++zone)
        lines.push_back({[zone](const MonitorStatus& s) { return LoopPlotValue(loopCodeByte(s, zone)); },
                         &series.loops[size_t(zone - 1)]});

    // Each stretch gives up to two points of a line.
    const size_t stretchLength = maxPoints > 1 && blocks.size() > size_t(maxPoints)
                                     ? (blocks.size() + size_t(maxPoints / 2) - 1) / size_t(maxPoints / 2)
                                     : 1;
    for (size_t start = 0; start < blocks.size(); start += stretchLength) {
        const std::vector<const RecordedBlock*> stretch(blocks.begin() + qint64(start),
                                                        blocks.begin() + qint64(std::min(blocks.size(), start + stretchLength)));
        for (auto& [reading, out] : lines)
            addStretch(stretch, reading, *out);
    }
    for (size_t i = 1; i < blocks.size(); ++i)
        markChanges(blocks[i - 1]->status, *blocks[i], series);
    return series;
}
