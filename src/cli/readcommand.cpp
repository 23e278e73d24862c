#include "cli/clifiles.h"
#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/interrupt.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "files/fileoperations.h"
#include "link/qtserialport.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"

namespace {

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 read --port PORT [--baud RATE] [--password CODE] [--temperature]\n"
               "                 [--from FILE] --out FILE\n"
               "\n"
               "Reads the whole configuration of the panel and saves it as a configuration\n"
               "file. The read starts from the start file 1_Start.qzv beside qzv6 (or from\n"
               "--from FILE), so the settings that only files keep (zone names, user\n"
               "descriptions, the comment) take their values from there; everything the\n"
               "panel holds is replaced by what it returns. When the read does not complete,\n"
               "nothing is saved. Ctrl+C stops the read at the next exchange.\n"
               "\n"
               "Options:\n")
        + LinkOptionsHelp()
        + QStringLiteral(
               "  --temperature      also ask for the present temperature of the DS18B20 sensor\n"
               "                     and print it (\"Контроллер температуры (25C)\") on stdout\n"
               "  --from FILE        start from this configuration file instead of the start file\n"
               "  --out FILE         the configuration file to save (*.qzv or *.ini); an existing\n"
               "                     file is updated in place, as the window's Save does\n"
               "\n"
               "Examples:\n"
               "  qzv6 read --port ttyUSB0 --out site.qzv\n"
               "  qzv6 read --port /dev/ttyUSB0 --baud 57600 --password 1234 --temperature --out site.qzv\n"
               "  qzv6 read --port ttyUSB0 --from template.qzv --out site.qzv\n");
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options = LinkOptions() + QList<QCommandLineOption>{
        QCommandLineOption(QStringLiteral("temperature")),
        QCommandLineOption(QStringLiteral("from"), {}, QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("out"), {}, QStringLiteral("FILE")),
    };
    CommandLine line(QStringLiteral("read"), help(), options, {});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    const QString out = line.value(QStringLiteral("out"));
    if (out.isEmpty())
        return line.usageError(QStringLiteral("--out FILE is required."));
    const QString from = line.value(QStringLiteral("from"));
    if (line.isSet(QStringLiteral("from")) && !RequireExistingFile(line, from))
        return ExitUsage;

    ConsoleHost host(false);
    SettingsStore store;
    if (from.isEmpty())
        OpenStartFile(store, host, FileFolders::current(), false);
    else
        LoadFileInto(from, store);
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs = *inputs;
    StopOnCtrlC(host, link);
    const TraceOnExit trace(line, link, host);
    const ConfigReadOptions readOptions{line.isSet(QStringLiteral("temperature")), QLocale::system()};
    if (!ReadConfiguration(link, store, readOptions) || !SaveStoreTo(out, store, host))
        return ExitFailure;
    host.message(QStringLiteral("Сохранено успешно."));
    return ExitSuccess;
}

} // namespace

Command ReadCommand()
{
    return {QStringLiteral("read"), QStringLiteral("read the panel's configuration into a configuration file"), help(),
            run};
}
