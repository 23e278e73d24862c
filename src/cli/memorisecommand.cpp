#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "link/qtserialport.h"
#include "service/loopmemorisation.h"

namespace {

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 memorise --port PORT [--baud RATE]\n"
               "\n"
               "Makes the panel take the present resistance of every zone loop as its normal\n"
               "value, as the window's \"Запомнить\" button (Ctrl+M) does. Before it, the zones\n"
               "must be in their normal state (doors closed, motion detectors settled, and so\n"
               "on). Prints \"ППК запомнил сопротивление шлейфов.\" when the panel has\n"
               "acknowledged, with status 0; a port that cannot be opened or a panel that does\n"
               "not answer is reported, with status 1.\n"
               "\n"
               "Options:\n")
        + LinkOptionsHelp()
        + QStringLiteral(
               "                     (not used here: the memorisation does not log in)\n"
               "\n"
               "Examples:\n"
               "  qzv6 memorise --port ttyUSB0\n"
               "  qzv6 memorise --port /dev/ttyUSB1 --baud 57600\n");
}

int run(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("memorise"), help(), LinkOptions(), {});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    ConsoleHost host(false);
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs = *inputs;
    const TraceOnExit trace(line, link, host);
    return MemoriseLoops(link) ? ExitSuccess : ExitFailure;
}

} // namespace

Command MemoriseCommand()
{
    return {QStringLiteral("memorise"), QStringLiteral("make the panel take its zone loops' present resistance as normal"),
            help(), run};
}
