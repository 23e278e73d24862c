#pragma once

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>

// The monitor's status block: 53 raw bytes as they arrived, with no framing
// and no checksum of its own.
struct MonitorStatus {
    static constexpr int Size = 53;

    std::array<quint8, Size> bytes{};

    // Exactly Size characters, taken byte for byte; any other length is no block.
    static std::optional<MonitorStatus> fromBytes(const QByteArray& data);

    quint8 operator[](int index) const { return bytes[size_t(index)]; }
    bool bit(int byte, int bit) const { return (bytes[size_t(byte)] >> bit) & 1; }
};

// How strongly a text should catch the installer's eye; the words stay the panel's.
enum class TextEmphasis { Plain, Active, Alert };

struct MonitorText {
    QString text;
    TextEmphasis emphasis = TextEmphasis::Plain;

    bool operator==(const MonitorText&) const = default;
};

// The picture of one status block, by the controls' object names.
struct MonitorView {
    // A label missing here keeps the text it has (a battery value of 11 to 15).
    QHash<QString, MonitorText> texts;
    // true for LedOn.
    QHash<QString, bool> lamps;
    // The keypad button of the panel's last key, empty when the code names none.
    QString underlinedKey;
};

// The block's readings as numbers, for plots and tables.
double supplyVolts(const MonitorStatus& status);
// Tens of per cent times ten; nothing for the values 11 to 15, which the page does not show.
std::optional<int> batteryPercent(const MonitorStatus& status);
// Degrees Celsius; bit 11 is the sign.
double temperatureCelsius(const MonitorStatus& status);
quint8 zoneStateByte(const MonitorStatus& status, int zone);
quint8 loopCodeByte(const MonitorStatus& status, int zone);
bool detectorTamper(const MonitorStatus& status, int detector);
bool detectorBattery(const MonitorStatus& status, int detector);

MonitorView decodeMonitorStatus(const MonitorStatus& status, const QLocale& locale);

// A count of tenths as "%1.1f" shows it, with the locale's decimal separator.
QString tenthsText(int tenths, const QLocale& locale);
