#include "service/monitorcsv.h"
#include "service/monitorrecording.h"
#include "service/monitorseries.h"

#include "livestate.h"
#include "qstringprinter.h"
#include "virtualpanel.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr qint64 Start = 1'765'000'000'000; // a wall-clock time, ms since the epoch
constexpr qint64 PollMs = 500;

// The demo of the virtual panel polled twice a second for a minute, recorded as the window does.
class RecordingTest : public testing::Test {
protected:
    RecordingTest()
    {
        live.playDemo();
        for (clock = 0; clock <= 60000; clock += PollMs)
            recording.append(Start + clock, *MonitorStatus::fromBytes(panel.handle("p000E0439;")));
    }

    static double valueAt(const std::vector<SeriesPoint>& line, qint64 elapsed)
    {
        for (const SeriesPoint& p : line)
            if (p.time == Start + elapsed)
                return p.value;
        return -1;
    }

    qint64 clock = 0;
    VirtualPanel panel{[this] { return clock; }};
    LiveState live{panel};
    MonitorRecording recording;
};

TEST_F(RecordingTest, TheDemoGivesItsSeriesAndMarks)
{
    const MonitorSeries series = BuildMonitorSeries(recording, Start, Start + 60000, 1000);
    ASSERT_EQ(series.supply.size(), 121u);

    const struct {
        qint64 elapsed;
        double supply, temperature, zone1, zone5;
    } points[] = {
        {0, 13.87, 25.0625, 4.8, 4.8},
        {1000, 13.87, 25.0625 + 0.0625 * 2, 4.8, 1.5},  // the motion zone trips
        {3000, 13.87, 25.0625 + 0.0625 * 5, MonitorSeries::OpenPlot, 4.8},
        {15000, 13.87, 26.0625, 4.8, 4.8},
        {40000, 12.629, 25.0625 - 0.0625 * 14, 4.8, 4.8}, // mains gone: the battery's voltage
        {48000, 13.87, 25.0625 - 0.0625 * 15, 4.8, 4.8},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(p.elapsed);
        EXPECT_NEAR(valueAt(series.supply, p.elapsed), p.supply, 1e-9);
        EXPECT_EQ(valueAt(series.temperature, p.elapsed), p.temperature);
        EXPECT_EQ(valueAt(series.loops[0], p.elapsed), p.zone1);
        EXPECT_EQ(valueAt(series.loops[4], p.elapsed), p.zone5);
        EXPECT_EQ(valueAt(series.battery, p.elapsed), 100);
    }

    const std::vector<SeriesMark> zone1{
        {Start + 3000, MonitorSeries::OpenPlot, "Зона 01: НАРУШЕНА"}, {Start + 7000, 4.8, "Зона 01: Снято"},
        {Start + 23000, MonitorSeries::OpenPlot, "Зона 01: НАРУШЕНА"}, {Start + 27000, 4.8, "Зона 01: Снято"},
        {Start + 43000, MonitorSeries::OpenPlot, "Зона 01: НАРУШЕНА"}, {Start + 47000, 4.8, "Зона 01: Снято"},
    };
    EXPECT_EQ(series.zoneChanges[0], zone1);
    EXPECT_TRUE(series.zoneChanges[15].empty());
    const std::vector<SeriesMark> conditions{
        {Start + 30000, 13.87, "Корпус ППК: ТРИВОГА; 7-Тампер: ТРИВОГА"},
        {Start + 35000, 13.87, "Корпус ППК: Норма; 7-Тампер: Норма"},
        {Start + 40000, 12.629, "1-220В: ОТСУТ."},
        {Start + 48000, 13.87, "1-220В: Норма"},
    };
    ASSERT_EQ(series.conditionChanges.size(), conditions.size());
    for (size_t i = 0; i < conditions.size(); ++i) {
        EXPECT_EQ(series.conditionChanges[i].time, conditions[i].time);
        EXPECT_NEAR(series.conditionChanges[i].value, conditions[i].value, 1e-9);
        EXPECT_EQ(series.conditionChanges[i].text, conditions[i].text);
    }
}

TEST_F(RecordingTest, APeriodShowsOnlyItsBlocksAndThinningKeepsTheSpikes)
{
    const MonitorSeries period = BuildMonitorSeries(recording, Start + 10000, Start + 20000, 1000);
    EXPECT_EQ(period.supply.size(), 21u);
    EXPECT_EQ(period.supply.front().time, Start + 10000);
    EXPECT_EQ(period.zoneChanges[0].size(), 0u);
    EXPECT_EQ(period.zoneChanges[1].size(), 2u); // zone 2 opens at 11 s and closes at 14 s

    // Twenty points for 121 blocks: the motion zone's 1.5 s trips every 9 s still show.
    const MonitorSeries thin = BuildMonitorSeries(recording, Start, Start + 60000, 20);
    EXPECT_LE(thin.loops[4].size(), 20u);
    int trips = 0;
    for (const SeriesPoint& p : thin.loops[4])
        trips += p.value == 1.5;
    EXPECT_GE(trips, 6);
    for (const auto* line : {&thin.supply, &thin.loops[0], &thin.loops[4]})
        EXPECT_TRUE(std::is_sorted(line->begin(), line->end(),
                                   [](const SeriesPoint& a, const SeriesPoint& b) { return a.time < b.time; }));
    EXPECT_EQ(thin.zoneChanges[4].size(), period.zoneChanges[4].size() + 12) << "marks are never thinned";
}

TEST_F(RecordingTest, CsvHeaderAndARowComeBackAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("monitor.csv");
    ASSERT_EQ(SaveMonitorCsv(recording, path), std::nullopt);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), recording.size() + 1);

    const QStringList header = lines[0].split(',');
    EXPECT_EQ(header, MonitorCsvHeader());
    EXPECT_EQ(header.size(), 1 + 4 + 16 * 4 + 26 + 16 * 2);
    QStringList unique = header;
    EXPECT_EQ(unique.removeDuplicates(), 0);

    // The block at 40 s: mains gone, zone 1 quiet, zone 9 open.
    const QStringList row = lines[1 + 80].split(',');
    ASSERT_EQ(row.size(), header.size());
    const auto field = [&](const char* name) { return row.value(int(header.indexOf(QString::fromLatin1(name)))); };
    EXPECT_EQ(QDateTime::fromString(field("time"), Qt::ISODateWithMs).toMSecsSinceEpoch(), Start + 40000);
    EXPECT_TRUE(field("time").contains('T'));
    EXPECT_EQ(field("supply_V"), "12.629");
    EXPECT_EQ(field("battery_pct"), "100");
    EXPECT_EQ(field("sLabelFAULT_220"), "1");
    EXPECT_EQ(field("sLabel_TAMPER_PPK"), "0");
    EXPECT_EQ(field("zone_01_state"), "Снято");
    EXPECT_EQ(field("zone_01_loop_code"), "103");
    EXPECT_EQ(field("zone_01_loop_kOhm"), "4.8");
    EXPECT_EQ(field("zone_09_loop_kOhm"), "ОБРЫВ");
    EXPECT_EQ(field("detector_16_battery_fault"), "0");
    EXPECT_EQ(row, MonitorCsvRow(recording.at(80)));
}

TEST(MonitorCsv, FieldsWithCommasOrQuotesAreQuoted)
{
    EXPECT_EQ(CsvLine({"a", "b,c", "say \"x\"", ""}), "a,\"b,c\",\"say \"\"x\"\"\",\r\n");
}

TEST(MonitorCsv, AFullDiskOrAMissingFolderIsReportedAndLeavesNoFile)
{
    MonitorRecording recording;
    recording.append(Start, MonitorStatus{});
    QTemporaryDir dir;
    EXPECT_TRUE(SaveMonitorCsv(recording, dir.filePath("missing/x.csv")).has_value());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/x.csv")));

    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    MonitorCsvStream stream;
    const std::optional<QString> error = stream.open("/dev/full");
    EXPECT_TRUE(error.has_value());
}

} // namespace
