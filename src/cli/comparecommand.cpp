#include "cli/clifiles.h"
#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/interrupt.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "link/systemserialport.h"
#include "model/settingsstore.h"
#include "transfer/panelcompare.h"

#include <QLocale>
#include <cstdio>

namespace {

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 compare --port PORT [--baud RATE] [--password CODE] FILE\n"
               "\n"
               "Reads the whole configuration of the panel and compares it with the\n"
               "configuration file FILE, as a write of FILE would leave the panel (a list\n"
               "with nothing chosen counts as its first item). Prints one line for each\n"
               "value that differs, as 'qzv6 diff' does:\n"
               "  NAME: VALUE_IN_FILE / VALUE_IN_PANEL  (caption or label of the setting)\n"
               "Settings that only files keep (zone names, user descriptions, the comment)\n"
               "are not compared. Nothing is written. Ctrl+C stops the read at the next exchange.\n"
               "\n"
               "Options:\n")
        + LinkOptionsHelp()
        + QStringLiteral(
               "\n"
               "Exit status: 0 the panel holds what the file says, 1 link failure or refusal,\n"
               "2 usage error, 3 the panel differs.\n"
               "\n"
               "Examples:\n"
               "  qzv6 compare --port ttyUSB0 site.qzv\n"
               "  qzv6 compare --port ttyUSB0 --password 1234 site.qzv && echo same\n");
}

int run(const QStringList& arguments)
{
    CommandLine line(QStringLiteral("compare"), help(), LinkOptions(), {QStringLiteral("FILE")});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    const QString path = line.positional(0);
    if (!RequireExistingFile(line, path))
        return ExitUsage;

    ConsoleHost host(false);
    SettingsStore store;
    LoadFileInto(path, store);
    const auto port = MakeSystemSerialPort();
    PanelLink link(*port, host);
    link.inputs = *inputs;
    StopOnCtrlC(host, link);
    const TraceOnExit trace(line, link, host);
    const auto differences = ComparePanel(link, store, QLocale::system());
    if (!differences)
        return ExitFailure;
    for (const PanelDifference& d : *differences) {
        const QString text = QStringLiteral("%1: %2 / %3  (%4)\n").arg(d.name, d.ours, d.panel, d.label);
        std::fputs(text.toUtf8().constData(), stdout);
    }
    return differences->empty() ? ExitSuccess : ExitDiffers;
}

} // namespace

Command CompareCommand()
{
    return {QStringLiteral("compare"), QStringLiteral("compare the panel's configuration with a configuration file"),
            help(), run};
}
