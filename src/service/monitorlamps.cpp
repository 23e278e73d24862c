#include "service/monitorlamps.h"

namespace {

const QList<MonitorLamp> namedLamps = {
    {"SwitchLed_BUZZER", 7, 0, LampColour::Aqua},
    {"SwitchLed_LED_GR_A", 7, 1, LampColour::Red},
    {"SwitchLed_LED_GR_B", 7, 2, LampColour::Red},
    {"SwitchLed_LED_GR_C", 7, 3, LampColour::Red},
    {"SwitchLed_LED_GR_D", 7, 4, LampColour::Red},
    {"SwitchLed_GR_3", 8, 4, LampColour::Green},
    {"SwitchLed_GR_4", 8, 5, LampColour::Green},
    {"SwitchLed_AL_3", 8, 6, LampColour::Red},
    {"SwitchLed_AL_4", 8, 7, LampColour::Red},
    {"SwitchLed_POWER", 9, 0, LampColour::Green},
    {"SwitchLed_MODEM", 9, 1, LampColour::Green},
    {"SwitchLed_FAULT", 9, 2, LampColour::Yellow},
    {"SwitchLed_GR_1", 9, 3, LampColour::Green},
    {"SwitchLed_GR_2", 9, 4, LampColour::Green},
    {"SwitchLed_AL_1", 9, 5, LampColour::Red},
    {"SwitchLed_AL_2", 9, 6, LampColour::Red},
};

// The keypad's zone lamps: bytes 10 and 11, bit n-1 of the pair is zone n.
constexpr int ZoneLampByte = 10;
constexpr int ZoneLamps = 16;

QList<MonitorLamp> buildLamps()
{
    QList<MonitorLamp> lamps = namedLamps;
    for (int zone = 1; zone <= ZoneLamps; ++zone)
        lamps.append({QStringLiteral("SwitchLed_CH_%1").arg(zone, 2, 10, QLatin1Char('0')),
                      ZoneLampByte + (zone - 1) / 8, (zone - 1) % 8, LampColour::Red});
    return lamps;
}

} // namespace

const QList<MonitorLamp>& monitorLamps()
{
    static const QList<MonitorLamp> lamps = buildLamps();
    return lamps;
}
