#include "service/monitorcsv.h"

#include "service/twostatetexts.h"
#include "service/zonestatetext.h"

#include <QDateTime>
#include <QSaveFile>
#include <functional>
#include <vector>

namespace {

constexpr int Zones = 16;
constexpr int Detectors = 16;

struct Column {
    QString name;
    std::function<QString(const MonitorStatus&)> value;
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

QString flag(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

// A measured loop in kilo-ohms; the other classes by the page's words.
QString loopValue(quint8 code)
{
    if (const std::optional<double> kiloOhms = LoopKiloOhms(code))
        return number(*kiloOhms);
    return LoopResistanceText(code, QLocale::c());
}

const std::vector<Column>& columns()
{
    static const std::vector<Column> table = [] {
        std::vector<Column> c{
            {"supply_V", [](const MonitorStatus& s) { return number(supplyVolts(s)); }},
            {"battery_pct", [](const MonitorStatus& s) {
                 const std::optional<int> percent = batteryPercent(s);
                 return percent ? QString::number(*percent) : QString();
             }},
            {"temperature_C", [](const MonitorStatus& s) { return number(temperatureCelsius(s)); }},
            {"last_user", [](const MonitorStatus& s) { return QString::number(s[6]); }},
        };
        for (int zone = 1; zone <= Zones; ++zone) {
            const QString prefix = "zone_" + twoDigits(zone);
            c.push_back({prefix + "_state", [zone](const MonitorStatus& s) { return ZoneStateWord(zoneStateByte(s, zone)); }});
            c.push_back({prefix + "_state_bits", [zone](const MonitorStatus& s) {
                             return QString::number(zoneStateByte(s, zone));
                         }});
            c.push_back({prefix + "_loop_code", [zone](const MonitorStatus& s) {
                             return QString::number(loopCodeByte(s, zone));
                         }});
            c.push_back({prefix + "_loop_kOhm", [zone](const MonitorStatus& s) { return loopValue(loopCodeByte(s, zone)); }});
        }
        // Outputs, tampers and faults by the names of their labels on the page.
        for (const TwoStateText& row : twoStateTexts)
            c.push_back({QString::fromLatin1(row.label),
                         [byte = row.byte, bit = row.bit](const MonitorStatus& s) { return flag(s.bit(byte, bit)); }});
        for (int detector = 1; detector <= Detectors; ++detector) {
            const QString prefix = "detector_" + twoDigits(detector);
            c.push_back({prefix + "_tamper", [detector](const MonitorStatus& s) { return flag(detectorTamper(s, detector)); }});
            c.push_back({prefix + "_battery_fault",
                         [detector](const MonitorStatus& s) { return flag(detectorBattery(s, detector)); }});
        }
        return c;
    }();
    return table;
}

QString isoTime(qint64 msecsSinceEpoch)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

} // namespace

QStringList MonitorCsvHeader()
{
    QStringList names{QStringLiteral("time")};
    for (const Column& column : columns())
        names << column.name;
    return names;
}

QStringList MonitorCsvRow(const RecordedBlock& block)
{
    QStringList fields{isoTime(block.time)};
    for (const Column& column : columns())
        fields << column.value(block.status);
    return fields;
}

QString CsvLine(const QStringList& fields)
{
    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
            field = u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        quoted << field;
    }
    return quoted.join(u',') + QStringLiteral("\r\n");
}

std::optional<QString> SaveMonitorCsv(const MonitorRecording& recording, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QByteArray bytes = CsvLine(MonitorCsvHeader()).toUtf8();
    for (qsizetype i = 0; i < recording.size(); ++i) {
        bytes += CsvLine(MonitorCsvRow(recording.at(i))).toUtf8();
        // Written in pieces, so that a long session does not double its memory in one text.
        if (bytes.size() > (1 << 20)) {
            if (file.write(bytes) != bytes.size())
                return file.errorString();
            bytes.clear();
        }
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> MonitorCsvStream::open(const QString& path)
{
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file_.errorString();
    return writeLine(MonitorCsvHeader());
}

std::optional<QString> MonitorCsvStream::append(const RecordedBlock& block)
{
    return writeLine(MonitorCsvRow(block));
}

std::optional<QString> MonitorCsvStream::writeLine(const QStringList& fields)
{
    const QByteArray bytes = CsvLine(fields).toUtf8();
    if (file_.write(bytes) != bytes.size() || !file_.flush())
        return file_.errorString();
    return std::nullopt;
}
