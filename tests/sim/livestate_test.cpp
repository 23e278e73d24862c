#include "livestate.h"

#include "link/frames.h"
#include "virtualpanel.h"

#include <gtest/gtest.h>

namespace {

class LiveStateTest : public testing::Test {
protected:
    // The status block as the panel answers a poll now.
    QByteArray poll() { return panel.handle("p000E0439;"); }

    static int zoneState(const QByteArray& block, int zone) { return quint8(block[14 + zone]); }
    static bool bit(const QByteArray& block, int byte, int bit) { return (quint8(block[byte]) >> bit) & 1; }

    qint64 clock = 0;
    VirtualPanel panel{[this] { return clock; }};
    LiveState live{panel};
};

TEST_F(LiveStateTest, AnOpenedLoopViolatesItsZoneAndLightsItsLamp)
{
    QByteArray block = poll();
    ASSERT_EQ(block.size(), 53);
    for (int zone = 1; zone <= 16; ++zone)
        EXPECT_EQ(zoneState(block, zone), 0) << zone;

    live.setLoop(3, LiveState::OpenLoop);
    block = poll();
    EXPECT_EQ(zoneState(block, 3), 0x10);
    EXPECT_EQ(quint8(block[33]), LiveState::OpenLoop);
    EXPECT_TRUE(bit(block, 10, 2));
    EXPECT_FALSE(bit(block, 7, 0)); // disarmed: no alarm, no buzzer

    live.setLoop(3, LiveState::QuietLoop + LiveState::Tolerance);
    EXPECT_EQ(zoneState(poll(), 3), 0);
}

TEST_F(LiveStateTest, AnArmedZoneKeepsItsAlarmUntilDisarmed)
{
    live.setArmed(12, true);
    EXPECT_EQ(zoneState(poll(), 12), 0x04);
    live.setLoop(12, LiveState::QuietLoop); // zones 9-16 are open as normal
    QByteArray block = poll();
    EXPECT_EQ(zoneState(block, 12), 0x1C);
    EXPECT_TRUE(bit(block, 11, 3));
    EXPECT_TRUE(bit(block, 7, 0));

    live.setLoop(12, LiveState::OpenLoop);
    block = poll();
    EXPECT_EQ(zoneState(block, 12), 0x0C);
    EXPECT_TRUE(bit(block, 11, 3));

    live.setArmed(12, false);
    block = poll();
    EXPECT_EQ(zoneState(block, 12), 0);
    EXPECT_FALSE(bit(block, 11, 3));
    EXPECT_FALSE(bit(block, 7, 0));
}

TEST_F(LiveStateTest, MemorisationMakesThePresentLoopsNormal)
{
    live.setLoop(4, 60);
    EXPECT_EQ(zoneState(poll(), 4), 0x10);
    EXPECT_EQ(panel.handle(BuildFrame("0045").toLatin1()), BuildFrame("000045").toLatin1());
    EXPECT_EQ(zoneState(poll(), 4), 0);
    EXPECT_EQ(live.normalLoop(4), 60);
}

TEST_F(LiveStateTest, ConditionsUserAndKeyShowInTheBlock)
{
    live.setCondition(LiveState::Condition::GsmFault, true);
    live.setCondition(LiveState::Condition::CaseTamper, true);
    live.setLastUser(12);
    panel.handle("p000E020BA9;"); // "*"
    QByteArray block = poll();
    EXPECT_TRUE(bit(block, 5, 1));
    EXPECT_TRUE(bit(block, 2, 0));
    EXPECT_TRUE(bit(block, 9, 2)); // the fault lamp
    EXPECT_EQ(quint8(block[6]), 12);
    EXPECT_EQ(quint8(block[12]), 26);

    live.setCondition(LiveState::Condition::GsmFault, false);
    block = poll();
    EXPECT_FALSE(bit(block, 9, 2)); // a tamper alone is no fault
    EXPECT_TRUE(bit(block, 9, 0));  // the power lamp stays on
}

TEST_F(LiveStateTest, DemoChangesTheBlockOverThePanelsClock)
{
    live.playDemo();
    const std::tuple<qint64, int, int, bool> steps[] = {
        // time, zone 1 state, zone 5 state, case tamper
        {0, 0, 0, false},      {1000, 0, 0x10, false}, {3000, 0x10, 0, false},
        {7000, 0, 0, false},   {30000, 0, 0, true},    {35000, 0, 0, false},
    };
    for (const auto& [time, zone1, zone5, tamper] : steps) {
        SCOPED_TRACE(time);
        clock = time;
        const QByteArray block = poll();
        EXPECT_EQ(zoneState(block, 1), zone1);
        EXPECT_EQ(zoneState(block, 5), zone5);
        EXPECT_EQ(bit(block, 2, 0), tamper);
    }
    // Without mains the supply sags to the battery's voltage, and comes back with it.
    for (const auto& [time, supply, mainsAbsent] : {std::tuple{40000, 173, true}, std::tuple{48000, 190, false}}) {
        SCOPED_TRACE(time);
        clock = time;
        const QByteArray block = poll();
        EXPECT_EQ(quint8(block[0]), supply);
        EXPECT_EQ(bit(block, 3, 4), mainsAbsent);
    }
    clock = 75000; // a quarter of the temperature's minute: a degree up
    EXPECT_EQ(quint8(poll()[14]), 401 + 16 - 256);

    // A change asked for between two steps of the demo stays until the next one.
    live.setLoop(1, 50);
    clock = 76000;
    EXPECT_EQ(quint8(poll()[31]), 50);
}

TEST(LiveStateLifetime, LeavesThePanelAsItWas)
{
    qint64 clock = 0;
    VirtualPanel panel{[&clock] { return clock; }};
    {
        LiveState live(panel);
        live.setLoop(2, LiveState::OpenLoop);
    }
    EXPECT_FALSE(panel.beforeStatus);
    EXPECT_EQ(panel.handle("p000E0439;").size(), 53);
}

} // namespace
