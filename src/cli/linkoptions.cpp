#include "cli/linkoptions.h"

#include "cli/commandline.h"
#include "link/baudrates.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr qsizetype MaxPasswordLength = 16;

QString rateList()
{
    QStringList rates;
    for (const qint32 rate : BaudRates)
        rates << QString::number(rate);
    return rates.join(' ');
}

// The rates in lines that fit the options' column.
QString wrappedRates()
{
    constexpr qsizetype Width = 58;
    const QString indent(21, ' ');
    QStringList lines{QString()};
    for (const qint32 rate : BaudRates) {
        const QString word = QString::number(rate);
        if (!lines.last().isEmpty() && lines.last().size() + 1 + word.size() > Width)
            lines << QString();
        lines.last() += (lines.last().isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return indent + lines.join('\n' + indent);
}

// EditPassComm takes up to 16 characters, digits and the capitals A to F.
bool isPanelPassword(const QString& text)
{
    return text.size() <= MaxPasswordLength && std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
           });
}

} // namespace

QList<QCommandLineOption> LinkOptions()
{
    return {
        QCommandLineOption(QStringLiteral("port"), {}, QStringLiteral("PORT")),
        QCommandLineOption(QStringLiteral("baud"), {}, QStringLiteral("RATE")),
        QCommandLineOption(QStringLiteral("password"), {}, QStringLiteral("CODE")),
        QCommandLineOption(QStringLiteral("trace"), {}, QStringLiteral("FILE")),
    };
}

QString LinkOptionsHelp()
{
    const LinkInputs defaults;
    return QStringLiteral(
               "  --port PORT        serial port of the USB-UART adapter: a name (ttyUSB0, COM3)\n"
               "                     or a full path, such as a virtual panel from 'qzv6 ports'\n"
               "  --baud RATE        line speed in bit/s (default %2), one of:\n"
               "%1\n"
               "  --trace FILE       write the protocol trace (the last 5000 lines: frames sent and\n"
               "                     received with their verdicts, the password masked) to FILE\n"
               "                     when the command ends, also when it fails\n"
               "  --password CODE    panel password, up to 16 characters 0-9 and A-F (default %3)\n")
        .arg(wrappedRates())
        .arg(BaudRates.at(std::size_t(defaults.speedIndex)))
        .arg(defaults.password);
}

std::optional<int> SpeedIndexFrom(const CommandLine& line)
{
    if (!line.isSet(QStringLiteral("baud")))
        return LinkInputs().speedIndex;
    bool isNumber = false;
    const int rate = line.value(QStringLiteral("baud")).toInt(&isNumber);
    const auto found = std::find(BaudRates.begin(), BaudRates.end(), rate);
    if (!isNumber || found == BaudRates.end()) {
        line.usageError(QStringLiteral("--baud must be one of %1.").arg(rateList()));
        return std::nullopt;
    }
    return int(found - BaudRates.begin());
}

bool TraceFileAccepted(const CommandLine& line)
{
    if (!line.isSet(QStringLiteral("trace")))
        return true;
    const QFileInfo trace(line.value(QStringLiteral("trace")));
    if (trace.fileName().isEmpty() || !trace.absoluteDir().exists() || trace.isDir()) {
        line.usageError(QStringLiteral("--trace needs a file in an existing folder."));
        return false;
    }
    return true;
}

std::optional<LinkInputs> LinkInputsFrom(const CommandLine& line)
{
    LinkInputs inputs;
    inputs.portName = line.value(QStringLiteral("port"));
    if (inputs.portName.isEmpty()) {
        line.usageError(QStringLiteral("--port PORT is required ('qzv6 ports' lists them)."));
        return std::nullopt;
    }
    const std::optional<int> speedIndex = SpeedIndexFrom(line);
    if (!speedIndex)
        return std::nullopt;
    inputs.speedIndex = *speedIndex;
    if (line.isSet(QStringLiteral("password"))) {
        inputs.password = line.value(QStringLiteral("password"));
        if (!isPanelPassword(inputs.password)) {
            line.usageError(QStringLiteral("--password takes up to 16 characters, each 0-9 or a capital A-F."));
            return std::nullopt;
        }
    }
    if (!TraceFileAccepted(line))
        return std::nullopt;
    return inputs;
}
