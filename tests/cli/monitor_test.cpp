#include "liveprocess.h"
#include "qzv6process.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A poll every 500 ms and the time to print a block: a change shows well within this.
constexpr int ChangeShownWithinMs = 1000;
constexpr int FirstBlockWithinMs = 3000;

QByteArray zoneLine(int zone, const char* state)
{
    return QStringLiteral("Зона %1: Сост.: %2").arg(zone, 2, 10, QLatin1Char('0')).arg(state).toUtf8();
}

TEST(Qzv6Monitor, AZoneInAlarmShowsWithinASecondAndCtrlCEndsCleanly)
{
    LivePanel panel;
    ASSERT_FALSE(panel.path().isEmpty());
    LiveProcess monitor(QStringLiteral("qzv6"), {"monitor", "--port", panel.path()}, panel.environment());
    ASSERT_GE(monitor.waitForOutput(zoneLine(3, "Снято"), FirstBlockWithinMs), 0) << monitor.errors().constData();

    // Armed and broken, the zone is violated and in alarm; the violation is the word shown.
    qsizetype from = monitor.output().size();
    panel.command("alarm 3");
    EXPECT_GE(monitor.waitForOutput(zoneLine(3, "НАРУШЕНА, Резист.: ОБРЫВ"), ChangeShownWithinMs, from), 0);
    // Back to normal but still armed: the alarm stays.
    from = monitor.output().size();
    panel.command("restore 3");
    EXPECT_GE(monitor.waitForOutput(zoneLine(3, "ТРЕВОГА"), ChangeShownWithinMs, from), 0);

    EXPECT_EQ(monitor.interrupt(ChangeShownWithinMs), 0);
    EXPECT_TRUE(monitor.output().endsWith("\n"));
    EXPECT_EQ(monitor.errors(), QByteArray());
}

TEST(Qzv6Monitor, APanelThatFallsSilentIsToldAndPolledOn)
{
    LivePanel panel({"--stop-after", "1"});
    LiveProcess monitor(QStringLiteral("qzv6"), {"monitor", "--port", panel.path()}, panel.environment());
    ASSERT_GE(monitor.waitForOutput("[Питание]", FirstBlockWithinMs), 0);
    EXPECT_GE(monitor.waitForErrors("qzv6 monitor: no status block from the panel for 2 s; still asking", 3000), 0);
    EXPECT_EQ(monitor.output().count("[Питание]"), 1);
    EXPECT_EQ(monitor.interrupt(ChangeShownWithinMs), 0);
}

TEST(Qzv6Monitor, CountEndsAfterThatManyBlocksSeparatedByABlankLine)
{
    LivePanel panel;
    const Qzv6Run run = RunQzv6({"monitor", "--port", panel.path(), "--count", "2"}, panel.environment());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList blocks = run.out.split("\n\n");
    ASSERT_EQ(blocks.size(), 2);
    for (const QString& block : blocks) {
        SCOPED_TRACE(block.toStdString());
        EXPECT_TRUE(block.startsWith("[Питание]\nUin=13.9V\nBAT=100%\n"));
        EXPECT_TRUE(block.contains("\nЗона 01: Сост.: Снято, Резист.: 4.8k\n"));
        EXPECT_TRUE(block.contains("\nЗона 16: Сост.: Снято, Резист.: ОБРЫВ\n"));
        EXPECT_TRUE(block.contains("\nSwitchLed_POWER=on\n"));
    }
    EXPECT_TRUE(run.out.endsWith("SwitchLed_LED_GR_D=off\n"));
}

TEST(Qzv6Monitor, TheDemoTripsTheMotionZoneInItsFirstSeconds)
{
    LivePanel panel({"--demo"});
    const Qzv6Run run = RunQzv6({"monitor", "--port", panel.path(), "--count", "4"}, panel.environment());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(zoneLine(5, "НАРУШЕНА"))));
}

TEST(Qzv6Memorise, ThePanelTakesThePresentLoopsAsNormal)
{
    LivePanel panel;
    panel.command("violate 3");
    const Qzv6Run memorise = RunQzv6({"memorise", "--port", panel.path()}, panel.environment());
    EXPECT_EQ(memorise.status, 0);
    EXPECT_EQ(memorise.err, "ППК запомнил сопротивление шлейфов.\n");

    // The open loop is now zone 3's normal state.
    const Qzv6Run monitor = RunQzv6({"monitor", "--port", panel.path(), "--count", "1"}, panel.environment());
    EXPECT_TRUE(monitor.out.contains(QString::fromUtf8(zoneLine(3, "Снято, Резист.: ОБРЫВ"))));
}

// Replies that never pass end the 19 tries as a link failure (faster than silence, same ending).
TEST(Qzv6Memorise, APanelThatNeverAcknowledgesIsALinkFailure)
{
    LivePanel panel({"--corrupt-checksum"});
    const Qzv6Run run = RunQzv6({"memorise", "--port", panel.path()}, panel.environment());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.startsWith("Не вышло связаться с ЦП !\n")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("ППК запомнил"));
}

TEST(Qzv6LiveCommands, APortThatDoesNotExistIsStatusOneAndBadArgumentsTwo)
{
    const std::pair<QStringList, int> cases[] = {
        {{"monitor", "--port", "/dev/qzv6-no-such-port", "--count", "1"}, 1},
        {{"memorise", "--port", "/dev/qzv6-no-such-port"}, 1},
        {{"monitor", "--port", "/dev/null", "--count", "0"}, 2},
        {{"monitor", "--port", "/dev/null", "--count", "x"}, 2},
        {{"monitor", "--count", "1"}, 2},
        {{"memorise"}, 2},
    };
    for (const auto& [arguments, status] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Qzv6Run run = RunQzv6(arguments);
        EXPECT_EQ(run.status, status);
        EXPECT_EQ(run.out, QString());
        if (status == 1) {
            EXPECT_EQ(run.err, "Попытка открыть несуществующий COM-порт\n");
        }
    }
}

// Without XDG_RUNTIME_DIR both programs fall back to one folder, quietly.
TEST(Qzv6Ports, WithoutARuntimeFolderSetThePanelIsListedAndNothingWarns)
{
    QTemporaryDir temporary;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    const QString name = QStringLiteral("ports-%1").arg(QCoreApplication::applicationPid());
    LivePanel panel({"--name", name}, environment);
    ASSERT_FALSE(panel.path().isEmpty());

    const Qzv6Run ports = RunQzv6({"ports"}, environment);
    EXPECT_EQ(ports.status, 0);
    const QStringList listed = ports.out.split('\n').filter("/qzv6-panels/" + name);
    ASSERT_EQ(listed.size(), 1) << ports.out.toStdString();
    EXPECT_TRUE(listed[0].startsWith(temporary.path() + "/runtime-")) << listed[0].toStdString();
    EXPECT_EQ(ports.err, QString());
    EXPECT_FALSE(panel.errors().contains("QStandardPaths"));
}

} // namespace
