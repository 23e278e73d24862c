#pragma once

#include <QtGlobal>
#include <array>

class VirtualPanel;

// The living side of a virtual panel's status block: zone loops that open and
// close, arming and alarms, tampers and faults, the last user, a drifting
// temperature. Changes come on request or, in the demo, over the panel's clock;
// the block is brought up to date just before the panel answers each poll.
class LiveState {
public:
    static constexpr int Zones = 16;
    static constexpr int QuietLoop = 103; // an end-of-line resistor, about 4.8 kOhm
    static constexpr int OpenLoop = 200;
    static constexpr int Tolerance = 15;  // codes a loop may stray from its normal value
    static constexpr int MainsSupply = 190;   // 13.9 V in units of 0.073 V
    static constexpr int BatterySupply = 173; // 12.6 V

    // Conditions of the block, by byte and bit.
    enum class Condition {
        CaseTamper = 0x200, SlaveTamper = 0x201, KeypadTamper = 0x202, KeypadOff = 0x203,
        ZoneTamper = 0x204, ReaderTamper = 0x205,
        Output1 = 0x300, Output2 = 0x301, Output3 = 0x302, MainsAbsent = 0x304, BatteryAbsent = 0x305,
        Thermostat = 0x306, VirtualOutput1 = 0x307,
        SlaveMainsAbsent = 0x400, SlaveBatteryAbsent = 0x401, SlaveSirenBroken = 0x402, SlaveCaseTamper = 0x403,
        OutputFault = 0x500, GsmFault = 0x501, ExtensionFault = 0x502, DetectorTamper = 0x503,
        DetectorBattery = 0x504, PowerFault = 0x505,
    };

    // Installs itself on the panel, which must outlive it. The loops start as the
    // block has them, and that is their normal value.
    explicit LiveState(VirtualPanel& panel);
    ~LiveState();
    LiveState(const LiveState&) = delete;
    LiveState& operator=(const LiveState&) = delete;

    void setLoop(int zone, int code);
    void setArmed(int zone, bool armed);
    void setCondition(Condition condition, bool present);
    void setLastUser(int user);
    void setSupply(int units);      // 0.073 V each
    void setBattery(int tens);      // tens of per cent

    // From now on doors open and close, a motion detector trips, the case tamper
    // and the mains fail now and then, and the temperature drifts around 25 C.
    void playDemo();

    int loop(int zone) const { return loops_[size_t(zone - 1)]; }
    int normalLoop(int zone) const { return normals_[size_t(zone - 1)]; }
    bool violated(int zone) const;
    bool inAlarm(int zone) const { return alarms_[size_t(zone - 1)]; }

    // Brings the block up to the panel's clock.
    void refresh();

private:
    void playDemoUntil(qint64 now);
    void takeMemorisation();
    void writeZones();
    void setBit(int byte, int bit, bool on);
    int byte(int index) const;
    void setByte(int index, int value);

    VirtualPanel& panel_;
    std::array<int, Zones> loops_{};
    std::array<int, Zones> normals_{};
    std::array<bool, Zones> armed_{};
    std::array<bool, Zones> alarms_{};
    int memorisationsSeen_ = 0;
    bool demo_ = false;
    qint64 demoStart_ = 0;
    std::array<bool, 8> demoActive_{};
};
