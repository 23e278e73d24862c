#include "service/monitor.h"

#include "fakehost.h"
#include "link/panellink.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

namespace {

const QString pollFrame = QStringLiteral("p000E0439;");

// A monitor on the in-process panel; the panel's clock is the host's virtual clock,
// and the test plays Timer_Monitor by firing it whenever it falls due.
class MonitorTest : public testing::Test {
protected:
    MonitorTest()
    {
        link.inputs.portName = "QZV-6-virtual";
        QObject::connect(&monitor, &Monitor::statusReceived, [this](const MonitorStatus& s) { shown << s; });
        QObject::connect(&monitor, &Monitor::txLedChanged, [this](bool lit) {
            if (lit)
                pollsAt << host.clock;
            txLit = lit;
        });
        panel.status[0] = char(190);
        panel.status[52] = 0x5A;
    }

    void runUntil(qint64 end)
    {
        for (auto due = monitor.nextTickDue(); due && *due <= end; due = monitor.nextTickDue()) {
            host.clock = std::max(host.clock, *due);
            ++ticks;
            monitor.Timer_MonitorTimer();
        }
    }

    // Fires the timer once, at the time it falls due.
    void nextTick() { runUntil(*monitor.nextTickDue()); }

    QStringList written() const
    {
        QStringList texts;
        for (const QByteArray& w : port.writes)
            texts << QString::fromLatin1(w);
        return texts;
    }

    int tones() const { return int(host.calls.count("tone:600/70")); }

    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel, "QZV-6-virtual"};
    PanelLink link{port, host};
    Monitor monitor{link};
    QList<MonitorStatus> shown;
    QList<qint64> pollsAt;
    bool txLit = false;
    int ticks = 0; // timer events fired
};

TEST_F(MonitorTest, StartsAndPollsTwiceASecondWhateverAPollCosts)
{
    monitor.start();
    EXPECT_EQ(host.sounds, QList<Sound>{Sound::Information});
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(monitor.timer().isActive());

    runUntil(2000);
    EXPECT_EQ(pollsAt, (QList<qint64>{500, 1000, 1500, 2000}));
    EXPECT_EQ(written(), QStringList(4, pollFrame));
    ASSERT_EQ(shown.size(), 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(shown.last().bytes.data()), 53), panel.status);
    EXPECT_EQ(monitor.MonitorStatus.bytes, shown.last().bytes);
    EXPECT_FALSE(txLit);
    EXPECT_EQ(monitor.interval(), 500);
    EXPECT_TRUE(port.isOpen());
}

struct ReplyCase {
    int statusSize;
    bool echo;     // the request comes back first: ten characters more
    bool noise;    // one character more
    int length;
    bool shown;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.length << " characters";
}

class MonitorReplyRule : public MonitorTest, public testing::WithParamInterface<ReplyCase> {};

TEST_P(MonitorReplyRule, OnlyTheLengthCounts)
{
    const ReplyCase& c = GetParam();
    panel.status.resize(c.statusSize);
    PanelFaults faults;
    faults.echoRequest = c.echo;
    faults.noise = c.noise ? QByteArray("x") : QByteArray();
    panel.setFaults(faults);
    monitor.start();
    runUntil(500);

    ASSERT_EQ(shown.size(), c.shown ? 1 : 0);
    if (c.shown) {
        EXPECT_EQ(shown[0][0], 190);
        EXPECT_EQ(shown[0][52], 0x5A);
        EXPECT_EQ(monitor.interval(), 500);
    } else {
        // Dropped: the display keeps what it shows and the next poll follows at once.
        EXPECT_EQ(monitor.interval(), 1);
        nextTick();
        EXPECT_EQ(pollsAt, (QList<qint64>{500, 521}));
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, MonitorReplyRule, testing::Values(
    ReplyCase{52, false, false, 52, false}, ReplyCase{53, false, false, 53, true},
    ReplyCase{53, false, true, 54, false},  ReplyCase{52, true, false, 62, false},
    ReplyCase{53, true, false, 63, true},   ReplyCase{53, true, true, 64, false}),
    [](const auto& info) { return "Length" + std::to_string(info.param.length); });

TEST_F(MonitorTest, ASilentPanelIsPolledWithoutPauseAndTheDisplayKept)
{
    PanelFaults faults;
    faults.silent = true;
    panel.setFaults(faults);
    monitor.start();
    runUntil(600);
    EXPECT_EQ(pollsAt, (QList<qint64>{500, 521, 542, 563, 584}));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(host.messages.isEmpty());

    // A good reply brings the 500 ms period back, counted from that poll's start.
    panel.setFaults({});
    runUntil(1200);
    EXPECT_EQ(pollsAt.mid(5), (QList<qint64>{605, 1105}));
}

TEST_F(MonitorTest, KeyClickedWhileStoppedIsNeverSent)
{
    monitor.pressKey(5);
    EXPECT_TRUE(port.writes.isEmpty());
    monitor.start();
    EXPECT_EQ(monitor.PendingKey, Monitor::NoKey);
    runUntil(1500);
    EXPECT_EQ(written(), QStringList(3, pollFrame));
    EXPECT_TRUE(panel.keys.isEmpty());
}

TEST_F(MonitorTest, KeyIsSentWithATonedAndAPollFollowsAtOnce)
{
    const std::pair<int, const char*> keys[] = {
        {5, "p000E02059C;"}, {11, "p000E020BA9;"}, {10, "p000E020AA8;"}, {0, "p000E020097;"}};
    monitor.start();
    runUntil(500);
    for (const auto& [code, frame] : keys) {
        SCOPED_TRACE(code);
        port.writes.clear();
        monitor.pressKey(code);
        EXPECT_EQ(written(), QStringList{frame});
        EXPECT_EQ(monitor.PendingKey, Monitor::NoKey);
        EXPECT_EQ(monitor.interval(), 1);
        const qint64 keyEnd = host.clock;
        nextTick();
        EXPECT_EQ(pollsAt.last(), keyEnd + 1);
        // The status block reports "*" and "#" by codes of their own.
        EXPECT_EQ(shown.last()[12], code == 11 ? 26 : code == 10 ? 27 : code);
    }
    EXPECT_EQ(tones(), 4);
    EXPECT_EQ(panel.keys, (QList<int>{5, 11, 10, 0}));
}

TEST_F(MonitorTest, KeyWhoseExchangeFailsIsDeliveredAgainASecondLater)
{
    monitor.start();
    PanelFaults faults;
    faults.answerAfter = 19; // the key's first exchange gives up
    panel.setFaults(faults);
    monitor.pressKey(7);
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_EQ(tones(), 0);
    EXPECT_EQ(monitor.PendingKey, 7);
    EXPECT_EQ(monitor.interval(), 1000);
    EXPECT_FALSE(port.isOpen());

    const qint64 failedAt = host.clock;
    nextTick();
    EXPECT_GE(host.clock, failedAt);
    EXPECT_EQ(panel.keys, QList<int>{7});
    EXPECT_EQ(tones(), 1);
    EXPECT_EQ(monitor.PendingKey, Monitor::NoKey);
    EXPECT_EQ(host.messages.size(), 1);
}

TEST_F(MonitorTest, AfterEscPollsGoOnButKeysOnlyBeep)
{
    monitor.start();
    runUntil(500);
    link.CancelRequested = true;
    port.writes.clear();
    monitor.pressKey(3);
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_EQ(tones(), 1);
    EXPECT_EQ(monitor.PendingKey, Monitor::NoKey);
    EXPECT_TRUE(host.messages.isEmpty());

    runUntil(1600);
    EXPECT_EQ(written(), QStringList(3, pollFrame));
    EXPECT_EQ(shown.size(), 4);
    EXPECT_TRUE(panel.keys.isEmpty());

    // Starting again clears Esc.
    monitor.stop();
    monitor.start();
    monitor.pressKey(3);
    EXPECT_EQ(panel.keys, QList<int>{3});
}

TEST_F(MonitorTest, KeyPressedWhileAnotherIsOnItsWayIsKept)
{
    monitor.start();
    runUntil(500);
    bool pressed = false;
    host.onProcessEvents = [&] {
        if (!pressed && panel.keys.size() == 1) {
            pressed = true;
            monitor.pressKey(8); // a second tick inside the first is skipped
        }
    };
    monitor.pressKey(2);
    EXPECT_EQ(monitor.PendingKey, 8);
    nextTick();
    EXPECT_EQ(panel.keys, (QList<int>{2, 8}));
    EXPECT_EQ(monitor.PendingKey, Monitor::NoKey);
}

TEST_F(MonitorTest, TicksAreSkippedWhileAReadRunsAndBreakNeither)
{
    SettingsStore store;
    monitor.start();
    runUntil(500);
    // Timer events reach the monitor during the read's waits.
    host.onProcessEvents = [this] {
        if (auto due = monitor.nextTickDue(); due && *due <= host.clock)
            monitor.Timer_MonitorTimer();
    };
    port.writes.clear();
    const int shownBefore = int(shown.size());
    EXPECT_TRUE(ReadConfiguration(link, store, {}));
    EXPECT_EQ(host.messages.last(), "Прочитано успешно.");
    EXPECT_FALSE(written().contains(pollFrame));
    EXPECT_EQ(shown.size(), shownBefore);
    EXPECT_FALSE(port.isOpen());

    // The first tick after the read reopens the port, within the pause of skipped ticks.
    host.onProcessEvents = nullptr;
    runUntil(host.clock + Monitor::BusyPause);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(written().count(pollFrame), 1);
    EXPECT_EQ(shown.size(), shownBefore + 1);
}

TEST_F(MonitorTest, TicksSkippedUnderAnotherOperationComeAfterAPauseNotEveryMillisecond)
{
    PanelFaults faults;
    faults.silent = true;
    panel.setFaults(faults);
    monitor.start();
    runUntil(500);
    ASSERT_EQ(monitor.interval(), 1); // a dropped reply: the next poll is due at once
    panel.setFaults({});

    // Another operation holds the port for a second, letting timer events run every millisecond.
    int skipped = 0;
    link.runOperation([&] {
        for (int ms = 0; ms < 1000; ++ms) {
            host.wait(1);
            if (auto due = monitor.nextTickDue(); due && *due <= host.clock) {
                ++skipped;
                monitor.Timer_MonitorTimer();
            }
        }
    });
    EXPECT_EQ(skipped, 1000 / Monitor::BusyPause);
    EXPECT_EQ(pollsAt, QList<qint64>{500});

    // Once the port is free the poll comes within the pause, and the 500 ms cadence is back.
    const qint64 freed = host.clock;
    runUntil(freed + Monitor::BusyPause + 500);
    ASSERT_EQ(pollsAt.size(), 3);
    EXPECT_LE(pollsAt[1] - freed, Monitor::BusyPause);
    EXPECT_EQ(pollsAt[2] - pollsAt[1], 500);
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(MonitorTest, AKeysOwnPollFollowsAtOnceThoughATickFellDueInsideIt)
{
    monitor.start();
    runUntil(500);
    // The timer falls due while the key's tick lets events run after setting 1 ms.
    host.onProcessEvents = [this] {
        ++host.clock;
        if (auto due = monitor.nextTickDue(); due && *due <= host.clock)
            monitor.Timer_MonitorTimer();
    };
    monitor.pressKey(5);
    host.onProcessEvents = nullptr;
    EXPECT_EQ(monitor.interval(), 1);
    const qint64 keyEnd = host.clock;
    nextTick();
    EXPECT_EQ(pollsAt.last(), keyEnd + 1);
}

TEST_F(MonitorTest, StopClosesThePortButNotUnderARunningOperation)
{
    monitor.start();
    runUntil(500);
    link.runOperation([this] {
        monitor.stop();
        EXPECT_TRUE(port.isOpen());
    });
    EXPECT_FALSE(monitor.timer().isActive());
    EXPECT_EQ(host.sounds.last(), Sound::Default);

    monitor.start();
    monitor.stop();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(monitor.nextTickDue());
    // Stopping clears nothing: the last block stays.
    EXPECT_EQ(monitor.MonitorStatus[0], 190);
}

TEST_F(MonitorTest, PortErrorsAtStartAreShownAndAtATickSwallowed)
{
    link.inputs.portName = "COM9";
    monitor.start();
    EXPECT_EQ(host.messages, QStringList{"Попытка открыть несуществующий COM-порт"});
    EXPECT_FALSE(monitor.timer().isActive());
    EXPECT_TRUE(monitor.runTicked());
    monitor.stop();

    link.inputs.portName = "QZV-6-virtual";
    monitor.start();
    runUntil(500);
    port.unplugged = true;
    runUntil(1000);
    EXPECT_FALSE(port.isOpen()); // the failed poll closed it
    monitor.pressKey(4);
    EXPECT_EQ(host.messages.size(), 1);
    EXPECT_EQ(monitor.PendingKey, 4);
    EXPECT_EQ(monitor.interval(), 500); // the port cannot be opened: tried again at the poll's pace

    port.unplugged = false;
    nextTick();
    EXPECT_EQ(panel.keys, QList<int>{4});
}

TEST_F(MonitorTest, StartedUnderAnotherOperationSetsThePortUpAndClearsTheCancelAtItsFirstTick)
{
    link.CancelRequested = true; // Esc pressed earlier
    link.inputs.portName = "COM9";
    link.runOperation([this] { monitor.start(); });
    EXPECT_TRUE(monitor.timer().isActive());
    EXPECT_TRUE(link.CancelRequested); // the running operation's Esc still stands

    link.inputs.portName = "QZV-6-virtual"; // chosen meanwhile: the set-up takes the present inputs
    nextTick();
    EXPECT_FALSE(link.CancelRequested);
    EXPECT_EQ(port.portName(), "QZV-6-virtual");
    EXPECT_EQ(shown.size(), 1);
    monitor.pressKey(5);
    EXPECT_EQ(panel.keys, QList<int>{5});
}

// The adapter is pulled for five seconds and plugged in again, after good replies or
// after a silent spell (a 1 ms interval when it goes).
class MonitorPortDies : public MonitorTest, public testing::WithParamInterface<bool> {};

TEST_P(MonitorPortDies, IsTriedAtThePollsPaceAndRecoversWhenThePortComesBack)
{
    const bool silentBefore = GetParam();
    PanelFaults faults;
    faults.silent = silentBefore;
    panel.setFaults(faults);
    monitor.start();
    runUntil(1000);
    panel.setFaults({});
    const int shownBefore = int(shown.size());
    const int opensBefore = port.opens;

    port.unplugged = true;
    const int triesBefore = port.writeTries;
    ticks = 0;
    runUntil(host.clock + 5000);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(shown.size(), shownBefore);
    EXPECT_LE(ticks, 5000 / 500 + 1);
    EXPECT_LE(port.writeTries - triesBefore, 1); // the one that found the port dead

    port.unplugged = false;
    runUntil(host.clock + 1000);
    EXPECT_GT(port.opens, opensBefore);
    EXPECT_GE(shown.size(), shownBefore + 1);
    EXPECT_EQ(monitor.interval(), 500);
}

INSTANTIATE_TEST_SUITE_P(Before, MonitorPortDies, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Silent" : "Answering"; });

} // namespace
