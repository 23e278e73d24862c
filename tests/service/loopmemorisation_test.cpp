#include "service/loopmemorisation.h"

#include "fakehost.h"
#include "link/panellink.h"
#include "service/monitor.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

namespace {

class LoopMemorisationTest : public testing::Test {
protected:
    LoopMemorisationTest() { link.inputs.portName = "QZV-6-virtual"; }

    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel, "QZV-6-virtual"};
    PanelLink link{port, host};
};

TEST_F(LoopMemorisationTest, AcknowledgedMemorisationIsReportedAndThePortClosed)
{
    EXPECT_TRUE(MemoriseLoops(link));
    ASSERT_EQ(port.writes.size(), 1);
    EXPECT_EQ(port.writes[0], "p0045C9;");
    EXPECT_EQ(panel.memorisations, 1);
    EXPECT_EQ(host.sounds, QList<Sound>{Sound::Information});
    EXPECT_EQ(host.messages, QStringList{"ППК запомнил сопротивление шлейфов."});
    EXPECT_FALSE(port.isOpen());
}

TEST_F(LoopMemorisationTest, FailuresShowTheirOwnMessageOnly)
{
    panel.setFaults({.silent = true});
    EXPECT_FALSE(MemoriseLoops(link));
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});

    host.messages.clear();
    port.writes.clear();
    link.inputs.portName = "COM9";
    EXPECT_FALSE(MemoriseLoops(link));
    EXPECT_EQ(host.messages, QStringList{"Попытка открыть несуществующий COM-порт"});
    EXPECT_TRUE(port.writes.isEmpty());
}

TEST_F(LoopMemorisationTest, TheMonitorReopensThePortAfterwards)
{
    Monitor monitor(link);
    int shown = 0;
    QObject::connect(&monitor, &Monitor::statusReceived, [&shown] { ++shown; });
    monitor.start();
    EXPECT_TRUE(MemoriseLoops(link));
    EXPECT_FALSE(port.isOpen());
    host.clock = *monitor.nextTickDue();
    monitor.Timer_MonitorTimer();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(shown, 1);
}

} // namespace
