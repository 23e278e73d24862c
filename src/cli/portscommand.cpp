#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/interrupt.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "link/panelsearch.h"
#include "link/portlist.h"
#include "link/qtserialport.h"

#include <cstdio>

namespace {

const QString Help = QStringLiteral(
    "Usage: qzv6 ports [--probe [--baud RATE] [--trace FILE]]\n"
    "\n"
    "Lists, one a line, the serial ports of this computer and the virtual panels\n"
    "announced on it (qzv6-panel-sim), as the window's port list shows them. Any\n"
    "of them can be given to --port.\n"
    "\n"
    "With --probe, finds the panel as the window's \"Найти ППК\" does: every port is\n"
    "opened at the given speed, offered the opening request p000501448E; up to three\n"
    "times, and closed; nothing else is sent (no login, no write). Each line then\n"
    "reads PORT<tab>answers, PORT<tab>silent or PORT<tab>unavailable: the port's error.\n"
    "The status is 0 when a panel answered on some port, 1 when none did.\n"
    "Ctrl+C stops the search before the next port.\n"
    "\n"
    "Options:\n"
    "  --probe            ask every port for the panel\n"
    "  --baud RATE        line speed of the search in bit/s (default 115200)\n"
    "  --trace FILE       write the protocol trace of the search to FILE\n"
    "\n"
    "Examples:\n"
    "  qzv6 ports\n"
    "  qzv6 ports --probe\n"
    "  qzv6 read --port \"$(qzv6 ports --probe | grep -P '\\tanswers$' | cut -f1 | head -n 1)\" --out site.qzv\n");

void printLine(const QString& text)
{
    std::fputs((text + '\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString outcomeText(const PortProbe& probe)
{
    switch (probe.outcome) {
    case PortProbe::Outcome::Answered: return QStringLiteral("answers");
    case PortProbe::Outcome::Silent: return QStringLiteral("silent");
    case PortProbe::Outcome::Unavailable: return QStringLiteral("unavailable: ") + probe.error;
    }
    return {};
}

int probe(const CommandLine& line, const QStringList& names, int speedIndex)
{
    ConsoleHost host(false);
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.speedIndex = speedIndex;
    const TraceOnExit trace(line, link, host);
    StopOnCtrlC(host, link);
    const QList<PortProbe> results = SearchPanel(link, names).value_or(QList<PortProbe>{});
    bool answered = false;
    for (const PortProbe& result : results) {
        printLine(result.port + '\t' + outcomeText(result));
        answered = answered || result.outcome == PortProbe::Outcome::Answered;
    }
    if (!answered)
        host.message(QStringLiteral("qzv6 ports: no panel answered. Check the cable, the panel's power and the speed."));
    return answered ? ExitSuccess : ExitFailure;
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options{
        QCommandLineOption(QStringLiteral("probe")),
        QCommandLineOption(QStringLiteral("baud"), {}, QStringLiteral("RATE")),
        QCommandLineOption(QStringLiteral("trace"), {}, QStringLiteral("FILE")),
    };
    CommandLine line(QStringLiteral("ports"), Help, options, {});
    if (const auto status = line.parse(arguments))
        return *status;
    const bool probing = line.isSet(QStringLiteral("probe"));
    if (!probing && (line.isSet(QStringLiteral("baud")) || line.isSet(QStringLiteral("trace"))))
        return line.usageError(QStringLiteral("--baud and --trace go with --probe."));
    const std::optional<int> speedIndex = SpeedIndexFrom(line);
    if (!speedIndex || !TraceFileAccepted(line))
        return ExitUsage;
    QStringList names;
    try {
        names = SerialPortNames();
    } catch (const EComPort& error) {
        ConsoleHost(false).message(error.text());
        return ExitFailure;
    }
    if (probing)
        return probe(line, names, *speedIndex);
    for (const QString& name : names)
        printLine(name);
    return ExitSuccess;
}

} // namespace

Command PortsCommand()
{
    return {QStringLiteral("ports"),
            QStringLiteral("list the serial ports and the announced virtual panels; --probe finds the panel"), Help,
            run};
}
