#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "link/portlist.h"
#include "link/serialport.h"

#include <cstdio>

namespace {

const QString Help = QStringLiteral(
    "Usage: qzv6 ports\n"
    "\n"
    "Lists, one a line, the serial ports of this computer and the virtual panels\n"
    "announced on it (qzv6-panel-sim), as the window's port list shows them. Any\n"
    "of them can be given to --port.\n"
    "\n"
    "Examples:\n"
    "  qzv6 ports\n"
    "  qzv6 read --port \"$(qzv6 ports | head -n 1)\" --out site.qzv\n");

int run(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("ports"), Help, {}, {});
    if (const auto status = line.parse(arguments))
        return *status;
    try {
        for (const QString& name : SerialPortNames())
            std::fputs((name + '\n').toUtf8().constData(), stdout);
    } catch (const EComPort& error) {
        ConsoleHost(false).message(error.text());
        return ExitFailure;
    }
    return ExitSuccess;
}

} // namespace

Command PortsCommand()
{
    return {QStringLiteral("ports"), QStringLiteral("list the serial ports and the announced virtual panels"), Help,
            run};
}
