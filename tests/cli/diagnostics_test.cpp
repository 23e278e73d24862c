// The on-site diagnostics of qzv6: the search for the panel, the protocol trace
// and the monitor's CSV, against live virtual panels.
#include "liveprocess.h"
#include "qzv6process.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Qzv6PortsProbe, NamesTheAnsweringAndTheSilentPanel)
{
    LivePanel panel;
    LivePanel silent({"--silent", "--name", "QZV-6-silent"}, panel.environment());
    ASSERT_FALSE(panel.path().isEmpty() || silent.path().isEmpty());
    const QString folder = panel.environment().value("XDG_RUNTIME_DIR") + "/qzv6-panels/";

    const Qzv6Run run = RunQzv6({"ports", "--probe"}, panel.environment());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(folder + "QZV-6-silent\tsilent\n")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(folder + "QZV-6-virtual\tanswers\n")) << run.out.toStdString();
}

TEST(Qzv6PortsProbe, NoAnswerIsStatusOneWithAHint)
{
    LivePanel silent({"--silent"});
    const Qzv6Run run = RunQzv6({"ports", "--probe", "--baud", "57600"}, silent.environment());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("no panel answered")) << run.err.toStdString();
}

TEST(Qzv6PortsProbe, OptionsOfTheSearchNeedIt)
{
    for (const QStringList& arguments : {QStringList{"ports", "--baud", "9600"}, QStringList{"ports", "--probe", "--baud", "7"},
                                         QStringList{"ports", "--probe", "--trace", "/no/such/folder/t.txt"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(RunQzv6(arguments).status, 2);
    }
}

TEST(Qzv6Trace, AFailedReadLeavesItsTraceWithThePasswordMasked)
{
    LivePanel panel({"--stop-after", "10"});
    QTemporaryDir dir;
    const QString trace = dir.filePath("trace.txt");
    const Qzv6Run run = RunQzv6(
        {"read", "--port", panel.path(), "--password", "90817", "--trace", trace, "--out", dir.filePath("site.qzv")},
        panel.environment());
    EXPECT_EQ(run.status, 1);
    const QString text = fileText(trace);
    EXPECT_TRUE(text.contains("> p000501448E;\n")) << text.left(600).toStdString();
    EXPECT_TRUE(text.contains("> p00390305************;\n"));
    EXPECT_TRUE(text.contains("  -- принят\n"));
    EXPECT_TRUE(text.contains("< [0] (пусто)  -- нет ответа\n"));
    EXPECT_FALSE(text.contains("0900080107"));
    EXPECT_FALSE(QFile::exists(dir.filePath("site.qzv")));
}

TEST(Qzv6MonitorCsv, EveryBlockIsARowUnderTheHeader)
{
    LivePanel panel;
    panel.command("violate 2");
    QTemporaryDir dir;
    const QString csv = dir.filePath("night.csv");
    const Qzv6Run run = RunQzv6({"monitor", "--port", panel.path(), "--count", "3", "--csv", csv}, panel.environment());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = fileText(csv).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    const QStringList header = lines[0].split(',');
    EXPECT_EQ(header.value(0), "time");
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList row = lines[i].split(',');
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(row[int(header.indexOf("supply_V"))], "13.87");
        EXPECT_EQ(row[int(header.indexOf("zone_02_state"))], "НАРУШЕНА");
        EXPECT_EQ(row[int(header.indexOf("zone_01_loop_kOhm"))], "4.8");
    }
}

TEST(Qzv6MonitorCsv, AFileThatCannotBeWrittenStopsBeforeThePortIsOpened)
{
    const Qzv6Run run = RunQzv6({"monitor", "--port", "ttyQZV6-none", "--csv", "/no/such/folder/x.csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("qzv6 monitor: cannot write /no/such/folder/x.csv")) << run.err.toStdString();
}

} // namespace
