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
#include "transfer/panelbackup.h"

#include <QDir>
#include <QLocale>

namespace {

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 write --port PORT [--baud RATE] [--password CODE] [--yes]\n"
               "                  [--backup FILE | --no-backup] [--no-verify] FILE\n"
               "\n"
               "Writes the configuration file FILE (*.qzv or *.ini) into the panel, then\n"
               "restarts the panel. Before the port is opened the values are checked (the two\n"
               "thermostat temperatures, the installer password of 3 to 26 characters, user\n"
               "records of at most 16 digits); lists with nothing chosen are named, as they\n"
               "are written as 0. Then comes the question \"Вы уверены что хотите записать?\":\n"
               "answer y or n on the terminal, or give --yes to agree in advance. Without a\n"
               "terminal and without --yes the write is refused. Temperatures are read with\n"
               "the decimal separator of the system's locale.\n"
               "\n"
               "After the login and before anything is written, the panel's present\n"
               "configuration is read and saved as a backup, user codes included, readable by\n"
               "you alone, in\n"
               "  %1\n"
               "named by date, time and port (2026-12-11_153012_ttyUSB0.qzv). If that read or\n"
               "that save fails, nothing is written. After the restart the write waits for\n"
               "the panel to answer again (up to 10 s), logs in with the installer password\n"
               "just written, reads everything back and lists each value that differs.\n"
               "\n"
               "Ctrl+C stops the write at the next exchange; once part of it is in the panel,\n"
               "a line on standard error says what the panel holds and names the backup.\n"
               "\n"
               "Options:\n")
               .arg(QDir::toNativeSeparators(DefaultBackupFolder()))
        + LinkOptionsHelp()
        + QStringLiteral(
               "  -y, --yes          answer Yes to \"Вы уверены что хотите записать?\"\n"
               "  --backup FILE      save the backup in this file\n"
               "  --no-backup        write without a backup\n"
               "  --no-verify        do not read the panel back after the write\n"
               "\n"
               "Exit status: 0 written (and read back equal), 1 link failure, refusal or a\n"
               "backup that could not be saved, 2 usage error, 3 written but the panel read\n"
               "back differs.\n"
               "\n"
               "Examples:\n"
               "  qzv6 write --port ttyUSB0 site.qzv\n"
               "  qzv6 write --port /dev/ttyUSB0 --password 1234 --yes site.qzv\n"
               "  qzv6 write --port ttyUSB0 --yes --backup before-site.qzv site.qzv\n");
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options = LinkOptions() + QList<QCommandLineOption>{
        QCommandLineOption(QStringList{QStringLiteral("y"), QStringLiteral("yes")}),
        QCommandLineOption(QStringLiteral("backup"), {}, QStringLiteral("FILE")),
        QCommandLineOption(QStringLiteral("no-backup")),
        QCommandLineOption(QStringLiteral("no-verify")),
    };
    CommandLine line(QStringLiteral("write"), help(), options, {QStringLiteral("FILE")});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    const QString path = line.positional(0);
    if (!RequireExistingFile(line, path))
        return ExitUsage;
    const bool noBackup = line.isSet(QStringLiteral("no-backup"));
    const QString backupFile = line.value(QStringLiteral("backup"));
    if (noBackup && line.isSet(QStringLiteral("backup")))
        return line.usageError(QStringLiteral("--backup FILE and --no-backup exclude each other."));
    if (line.isSet(QStringLiteral("backup")) && backupFile.isEmpty())
        return line.usageError(QStringLiteral("--backup needs a file name."));

    ConsoleHost host(line.isSet(QStringLiteral("yes")));
    SettingsStore store;
    LoadFileInto(path, store);
    const auto port = MakeSystemSerialPort();
    PanelLink link(*port, host);
    link.inputs = *inputs;
    StopOnCtrlC(host, link);
    const TraceOnExit trace(line, link, host);
    WriteOptions writeOptions;
    writeOptions.locale = QLocale::system();
    writeOptions.backup = !noBackup;
    writeOptions.backupFile = backupFile;
    writeOptions.verify = !line.isSet(QStringLiteral("no-verify"));
    const WriteResult result = WriteConfiguration(link, store, writeOptions);
    // A differing read-back has been listed already, as the write's last message.
    if (result.notice && !result.notice->isEmpty() && result.outcome != WriteOutcome::Differs)
        host.message(*result.notice);
    switch (result.outcome) {
    case WriteOutcome::Written: return ExitSuccess;
    case WriteOutcome::Differs: return ExitDiffers;
    case WriteOutcome::NotWritten: break;
    }
    return ExitFailure;
}

} // namespace

Command WriteCommand()
{
    return {QStringLiteral("write"), QStringLiteral("write a configuration file into the panel and restart it"),
            help(), run};
}
