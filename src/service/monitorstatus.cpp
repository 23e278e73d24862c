#include "service/monitorstatus.h"

#include "service/keypadkeys.h"
#include "service/monitorlamps.h"
#include "service/twostatetexts.h"
#include "service/zonestatetext.h"

namespace {

// Where the block keeps what; bytes and bits not named here are not shown.
enum Byte {
    SupplyByte = 0,
    BatteryByte = 1,
    UserByte = 6,
    LastKeyByte = 12,
    TemperatureHighByte = 13,
    TemperatureLowByte = 14,
    FirstZoneStateByte = 15,
    FirstResistanceByte = 31,
    DetectorTamperByte = 47,
    DetectorBatteryByte = 50,
};

constexpr int Zones = 16;
constexpr int Detectors = 16;
constexpr int MillivoltsPerUnit = 73;
constexpr int FullBattery = 10;   // tens of per cent; 11 to 15 keep the label as it is
constexpr int TemperatureSign = 0x0800; // sign and magnitude, not two's complement

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// A count of sixteenths in its shortest decimal form: 401 is "25.0625", 8 is "0.5".
QString sixteenthsText(int sixteenths, const QLocale& locale)
{
    QString text = QString::number(sixteenths / 16);
    QString fraction = QStringLiteral("%1").arg(sixteenths % 16 * 625, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    return text;
}

void decodeSupply(const MonitorStatus& status, const QLocale& locale, MonitorView& view)
{
    // 0.073 V per unit to the nearest tenth, in whole numbers so that 3.65 V shows 3.7.
    const int tenths = (status[SupplyByte] * MillivoltsPerUnit + 50) / 100;
    view.texts.insert("sLabel_Uin", {"Uin=" + tenthsText(tenths, locale) + 'V'});
    const int battery = status[BatteryByte] & 0x0F;
    if (battery <= FullBattery)
        view.texts.insert("sLabel_LB", {QStringLiteral("BAT=%1%").arg(battery * 10)});
}

void decodeTwoStates(const MonitorStatus& status, MonitorView& view)
{
    for (const TwoStateText& row : twoStateTexts) {
        const bool set = status.bit(row.byte, row.bit);
        view.texts.insert(row.label, {QString::fromUtf8(set ? row.set : row.clear),
                                      set ? row.whenSet : TextEmphasis::Plain});
    }
}

void decodeKeypad(const MonitorStatus& status, MonitorView& view)
{
    for (const MonitorLamp& lamp : monitorLamps())
        view.lamps.insert(lamp.name, status.bit(lamp.byte, lamp.bit));
    for (const KeypadKey& key : keypadKeys)
        if (status[LastKeyByte] == key.statusCode)
            view.underlinedKey = key.name;
}

void decodeTemperature(const MonitorStatus& status, const QLocale& locale, MonitorView& view)
{
    int word = status[TemperatureHighByte] * 256 + status[TemperatureLowByte];
    QString text = QStringLiteral("t = ");
    if (word & TemperatureSign) {
        word &= ~TemperatureSign;
        text += QLatin1Char('-');
    }
    view.texts.insert("sLabel_MON_TEMPEATURA", {text + sixteenthsText(word, locale) + " C"});
}

void decodeZones(const MonitorStatus& status, const QLocale& locale, MonitorView& view)
{
    for (int zone = 1; zone <= Zones; ++zone) {
        const quint8 state = status[FirstZoneStateByte + zone - 1];
        const quint8 code = status[FirstResistanceByte + zone - 1];
        view.texts.insert("sLabel_ZN_" + twoDigits(zone),
                          {"Зона " + twoDigits(zone) + ": Сост.: " + ZoneStateText(state, code, locale),
                           zoneStateEmphasis(state)});
    }
}

void decodeDetectors(const MonitorStatus& status, MonitorView& view)
{
    for (int detector = 1; detector <= Detectors; ++detector) {
        const int byte = (detector - 1) / 8;
        const int bit = (detector - 1) % 8;
        const bool tamper = status.bit(DetectorTamperByte + byte, bit);
        const bool battery = status.bit(DetectorBatteryByte + byte, bit);
        const QString text = "Датчик " + twoDigits(detector) + (tamper ? ": ТРЕВ." : ": Норма")
                             + (battery ? " и НЕИСПР." : " и Норма");
        view.texts.insert("sLabel_RZ_" + twoDigits(detector),
                          {text, tamper || battery ? TextEmphasis::Alert : TextEmphasis::Plain});
    }
}

} // namespace

std::optional<MonitorStatus> MonitorStatus::fromBytes(const QByteArray& data)
{
    if (data.size() != Size)
        return std::nullopt;
    MonitorStatus status;
    std::copy(data.cbegin(), data.cend(), status.bytes.begin());
    return status;
}

QString tenthsText(int tenths, const QLocale& locale)
{
    return QString::number(tenths / 10) + locale.decimalPoint() + QString::number(tenths % 10);
}

double supplyVolts(const MonitorStatus& status)
{
    return status[SupplyByte] * MillivoltsPerUnit / 1000.0;
}

std::optional<int> batteryPercent(const MonitorStatus& status)
{
    const int battery = status[BatteryByte] & 0x0F;
    return battery <= FullBattery ? std::optional<int>(battery * 10) : std::nullopt;
}

double temperatureCelsius(const MonitorStatus& status)
{
    const int word = status[TemperatureHighByte] * 256 + status[TemperatureLowByte];
    const double magnitude = (word & ~TemperatureSign) / 16.0;
    return word & TemperatureSign ? -magnitude : magnitude;
}

quint8 zoneStateByte(const MonitorStatus& status, int zone)
{
    return status[FirstZoneStateByte + zone - 1];
}

quint8 loopCodeByte(const MonitorStatus& status, int zone)
{
    return status[FirstResistanceByte + zone - 1];
}

bool detectorTamper(const MonitorStatus& status, int detector)
{
    return status.bit(DetectorTamperByte + (detector - 1) / 8, (detector - 1) % 8);
}

bool detectorBattery(const MonitorStatus& status, int detector)
{
    return status.bit(DetectorBatteryByte + (detector - 1) / 8, (detector - 1) % 8);
}

MonitorView decodeMonitorStatus(const MonitorStatus& status, const QLocale& locale)
{
    MonitorView view;
    decodeSupply(status, locale, view);
    decodeTwoStates(status, view);
    view.texts.insert("sLabel_USER", {"Пользов.: " + QString::number(status[UserByte])});
    decodeKeypad(status, view);
    decodeTemperature(status, locale, view);
    decodeZones(status, locale, view);
    decodeDetectors(status, view);
    return view;
}
