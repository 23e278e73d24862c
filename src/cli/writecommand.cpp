#include "cli/clifiles.h"
#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/interrupt.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "link/systemserialport.h"
#include "model/settingsstore.h"
#include "transfer/configwrite.h"

#include <QLocale>

namespace {

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 write --port PORT [--baud RATE] [--password CODE] [--yes] FILE\n"
               "\n"
               "Writes the configuration file FILE (*.qzv or *.ini) into the panel, then\n"
               "restarts the panel. Before the port is opened the values are checked (the two\n"
               "thermostat temperatures, the installer password of 3 to 26 characters, user\n"
               "records of at most 16 digits); lists with nothing chosen are named, as they\n"
               "are written as 0. Then comes the question \"Вы уверены что хотите записать?\":\n"
               "answer y or n on the terminal, or give --yes to agree in advance. Without a\n"
               "terminal and without --yes the write is refused. Temperatures are read with\n"
               "the decimal separator of the system's locale. Ctrl+C stops the write at the\n"
               "next exchange; the panel is then not restarted.\n"
               "\n"
               "Options:\n")
        + LinkOptionsHelp()
        + QStringLiteral(
               "  -y, --yes          answer Yes to \"Вы уверены что хотите записать?\"\n"
               "\n"
               "Examples:\n"
               "  qzv6 write --port ttyUSB0 site.qzv\n"
               "  qzv6 write --port /dev/ttyUSB0 --password 1234 --yes site.qzv\n");
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options =
        LinkOptions() + QList<QCommandLineOption>{QCommandLineOption(QStringList{QStringLiteral("y"), QStringLiteral("yes")})};
    CommandLine line(QStringLiteral("write"), help(), options, {QStringLiteral("FILE")});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    const QString path = line.positional(0);
    if (!RequireExistingFile(line, path))
        return ExitUsage;

    ConsoleHost host(line.isSet(QStringLiteral("yes")));
    SettingsStore store;
    LoadFileInto(path, store);
    const auto port = MakeSystemSerialPort();
    PanelLink link(*port, host);
    link.inputs = *inputs;
    StopOnCtrlC(host, link);
    const TraceOnExit trace(line, link, host);
    return WriteConfiguration(link, store, QLocale::system()) ? ExitSuccess : ExitFailure;
}

} // namespace

Command WriteCommand()
{
    return {QStringLiteral("write"), QStringLiteral("write a configuration file into the panel and restart it"),
            help(), run};
}
