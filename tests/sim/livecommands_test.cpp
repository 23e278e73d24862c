#include "livecommands.h"

#include "livestate.h"
#include "virtualpanel.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

namespace {

constexpr quint8 Armed = 0x04;
constexpr quint8 Alarm = 0x08;
constexpr quint8 Violated = 0x10;

class LiveCommandsTest : public testing::Test {
protected:
    // The zone's state byte and loop code as the panel answers a poll now.
    std::pair<int, int> zone(int n)
    {
        const QByteArray block = panel.handle("p000E0439;");
        return {quint8(block[14 + n]), quint8(block[30 + n])};
    }

    void apply(const QStringList& lines)
    {
        for (const QString& line : lines)
            ASSERT_EQ(ApplyLiveCommand(live, line), QString()) << line.toStdString();
    }

    qint64 clock = 0;
    VirtualPanel panel{[this] { return clock; }};
    LiveState live{panel};
};

struct CommandCase {
    const char* name;
    QStringList lines;
    int zone;
    int state;
    int loop;
};

class LiveCommandEffect : public LiveCommandsTest, public testing::WithParamInterface<CommandCase> {};

TEST_P(LiveCommandEffect, ChangesTheZoneInTheNextBlock)
{
    const CommandCase& c = GetParam();
    apply(c.lines);
    EXPECT_EQ(zone(c.zone), std::make_pair(c.state, c.loop));
}

// Zones 1-8 sit on their end-of-line resistors, 9-16 are open as unused zones are.
INSTANTIATE_TEST_SUITE_P(Commands, LiveCommandEffect, testing::Values(
    CommandCase{"AlarmBreaksAClosedLoop", {"alarm 3"}, 3, Armed | Alarm | Violated, LiveState::OpenLoop},
    CommandCase{"AlarmClosesAnUnusedOpenLoop", {"alarm 12"}, 12, Armed | Alarm | Violated, LiveState::QuietLoop},
    CommandCase{"AlarmStaysOnceTheLoopIsBack", {"alarm 3", "restore 3"}, 3, Armed | Alarm, LiveState::QuietLoop},
    CommandCase{"NormalEndsTheAlarm", {"alarm 3", "normal 3"}, 3, 0, LiveState::QuietLoop},
    CommandCase{"NormalOfAnUnusedZoneLeavesItOpen", {"alarm 16", "normal 16"}, 16, 0, LiveState::OpenLoop},
    CommandCase{"ViolateWithoutArming", {"violate 1"}, 1, Violated, LiveState::OpenLoop},
    CommandCase{"ArmThenDisarm", {"arm 8", "disarm 8"}, 8, 0, LiveState::QuietLoop},
    CommandCase{"SpacesAndEmptyLinesAreNothing", {"", "   ", "  arm   5 "}, 5, Armed, LiveState::QuietLoop}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveCommandsTest, AWrongLineIsToldAndChangesNothing)
{
    const QByteArray before = panel.handle("p000E0439;");
    for (const QString line : {"alarm", "alarm 0", "alarm 17", "alarm x", "alarm 3 4", "ALARM 3", "fire 3"}) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_FALSE(ApplyLiveCommand(live, line).isEmpty());
    }
    EXPECT_EQ(ApplyLiveCommand(live, "fire 3"), "unknown command 'fire'");
    EXPECT_EQ(ApplyLiveCommand(live, "alarm 17"), "'alarm' takes one zone number, 1 to 16");
    EXPECT_EQ(panel.handle("p000E0439;"), before);
}

} // namespace
