#include "livestate.h"

#include "virtualpanel.h"

#include <cmath>

namespace {

// Where the block keeps what the live side changes.
enum Byte {
    UserByte = 6,
    BuzzerByte = 7,
    PanelLampsByte = 9,
    ZoneLampsByte = 10,
    FirstStateByte = 15,
    FirstLoopByte = 31,
};
constexpr int FaultLampBit = 2;
constexpr quint8 ArmedFlag = 0x04;
constexpr quint8 AlarmFlag = 0x08;
constexpr quint8 ViolatedFlag = 0x10;

constexpr int conditionByte(LiveState::Condition c) { return int(c) >> 8; }
constexpr int conditionBit(LiveState::Condition c) { return int(c) & 0xFF; }

// A demo change that repeats: active for duration ms of every period, from offset on.
struct DemoRule {
    qint64 period;
    qint64 offset;
    qint64 duration;
    void (*apply)(LiveState& live, bool active);
};

const DemoRule demoRules[] = {
    {20000, 3000, 4000, [](LiveState& l, bool on) { l.setLoop(1, on ? LiveState::OpenLoop : LiveState::QuietLoop); }},
    {20000, 11000, 3000, [](LiveState& l, bool on) { l.setLoop(2, on ? LiveState::OpenLoop : LiveState::QuietLoop); }},
    {9000, 1000, 1500, [](LiveState& l, bool on) { l.setLoop(5, on ? 60 : LiveState::QuietLoop); }},
    {45000, 30000, 5000, [](LiveState& l, bool on) { l.setCondition(LiveState::Condition::CaseTamper, on); }},
    {60000, 40000, 8000, [](LiveState& l, bool on) {
         // On its battery the panel's supply sags from 13.9 V to 12.6 V.
         l.setCondition(LiveState::Condition::MainsAbsent, on);
         l.setSupply(on ? LiveState::BatterySupply : LiveState::MainsSupply);
     }},
};

// 25.0625 C, a degree up and down over a minute, in sixteenths.
int demoTemperature(qint64 elapsed)
{
    constexpr double Pi = 3.14159265358979323846;
    return 401 + int(std::lround(16 * std::sin(2 * Pi * double(elapsed % 60000) / 60000)));
}

int temperatureWord(int sixteenths)
{
    return sixteenths < 0 ? 0x0800 | -sixteenths : sixteenths;
}

} // namespace

LiveState::LiveState(VirtualPanel& panel) : panel_(panel), memorisationsSeen_(panel.memorisations)
{
    for (int zone = 1; zone <= Zones; ++zone)
        loops_[size_t(zone - 1)] = normals_[size_t(zone - 1)] = byte(FirstLoopByte + zone - 1);
    panel_.beforeStatus = [this] { refresh(); };
}

LiveState::~LiveState()
{
    panel_.beforeStatus = nullptr;
}

void LiveState::setLoop(int zone, int code)
{
    loops_[size_t(zone - 1)] = qBound(0, code, 255);
    writeZones();
}

void LiveState::setArmed(int zone, bool armed)
{
    armed_[size_t(zone - 1)] = armed;
    if (!armed)
        alarms_[size_t(zone - 1)] = false; // disarming silences the alarm
    writeZones();
}

void LiveState::setCondition(Condition condition, bool present)
{
    setBit(conditionByte(condition), conditionBit(condition), present);
    // The keypad's fault lamp shows any fault of the list.
    const bool anyFault = (byte(3) & 0x30) || (byte(5) & 0x3F);
    setBit(PanelLampsByte, FaultLampBit, anyFault);
}

void LiveState::setLastUser(int user)
{
    setByte(UserByte, qBound(0, user, 255));
}

void LiveState::setSupply(int units)
{
    setByte(0, qBound(0, units, 255));
}

void LiveState::setBattery(int tens)
{
    setByte(1, qBound(0, tens, 15));
}

void LiveState::playDemo()
{
    demo_ = true;
    demoStart_ = panel_.now();
    demoActive_ = {};
    refresh();
}

bool LiveState::violated(int zone) const
{
    return std::abs(loop(zone) - normalLoop(zone)) > Tolerance;
}

void LiveState::refresh()
{
    takeMemorisation();
    if (demo_)
        playDemoUntil(panel_.now());
    writeZones();
}

void LiveState::playDemoUntil(qint64 now)
{
    const qint64 elapsed = now - demoStart_;
    for (size_t i = 0; i < std::size(demoRules); ++i) {
        const DemoRule& rule = demoRules[i];
        const bool active = elapsed >= rule.offset && (elapsed - rule.offset) % rule.period < rule.duration;
        // Only a change of phase acts, so a change asked for in between stays until then.
        if (active != demoActive_[i]) {
            demoActive_[i] = active;
            rule.apply(*this, active);
        }
    }
    panel_.setTemperature(temperatureWord(demoTemperature(elapsed)));
}

// The panel has taken the present loops as their normal values.
void LiveState::takeMemorisation()
{
    if (panel_.memorisations == memorisationsSeen_)
        return;
    memorisationsSeen_ = panel_.memorisations;
    normals_ = loops_;
}

void LiveState::writeZones()
{
    bool anyAlarm = false;
    for (int zone = 1; zone <= Zones; ++zone) {
        const size_t z = size_t(zone - 1);
        const bool open = violated(zone);
        if (armed_[z] && open)
            alarms_[z] = true; // an alarm stays until the zone is disarmed
        anyAlarm = anyAlarm || alarms_[z];
        const quint8 state = (armed_[z] ? ArmedFlag : 0) | (alarms_[z] ? AlarmFlag : 0) | (open ? ViolatedFlag : 0);
        setByte(FirstStateByte + zone - 1, state);
        setByte(FirstLoopByte + zone - 1, loops_[z]);
        setBit(ZoneLampsByte + (zone - 1) / 8, (zone - 1) % 8, open || alarms_[z]);
    }
    setBit(BuzzerByte, 0, anyAlarm);
}

void LiveState::setBit(int byte, int bit, bool on)
{
    const int value = this->byte(byte);
    setByte(byte, on ? value | (1 << bit) : value & ~(1 << bit));
}

int LiveState::byte(int index) const
{
    return index < panel_.status.size() ? quint8(panel_.status[index]) : 0;
}

// A test may cut the block short to make a bad reply; the live side then leaves the missing bytes alone.
void LiveState::setByte(int index, int value)
{
    if (index < panel_.status.size())
        panel_.status[index] = char(value);
}
