#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/linkoptions.h"
#include "cli/traceonexit.h"
#include "link/qtserialport.h"
#include "service/monitor.h"
#include "service/monitorcsv.h"
#include "service/monitorlisting.h"

#include <QDateTime>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <utility>

namespace {

// ConsoleHost notices Ctrl+C when it lets events run; a tick that cannot open
// the port never does, so the command looks as often by itself.
constexpr int InterruptCheckMs = 100;
// The window's lit Tx lamp tells of a panel that stopped answering; a console
// has only words for it.
constexpr int SilenceNoticeMs = 2000;
const QString SilenceNotice =
    QStringLiteral("qzv6 monitor: no status block from the panel for %1 s; still asking (Ctrl+C stops).")
        .arg(SilenceNoticeMs / 1000);
const QString AnswersAgainNotice = QStringLiteral("qzv6 monitor: the panel answers again.");

QString help()
{
    return QStringLiteral(
               "Usage: qzv6 monitor --port PORT [--baud RATE] [--count N] [--csv FILE]\n"
               "\n"
               "Watches the panel live, as the window's monitor page does with \"ПУСК\" ticked:\n"
               "asks for the status block twice a second and prints the picture of every\n"
               "block the panel returns, one block of lines per poll with a blank line between\n"
               "blocks. A block lists the labels' texts group by group in the page's order\n"
               "([Питание], [Зоны ...], [Выхода], [Тампера], [Тампера и Батарейки VLN],\n"
               "[Slave], [Неисправности], Пользов., [Звук], [Температура]), then the lamps as\n"
               "SwitchLed_GR_1=on or SwitchLed_GR_1=off and the keypad button of the panel's\n"
               "last key (sLabel_D_5=underlined). Numbers use the decimal separator of the\n"
               "system's locale. A reply that is not a status block is dropped and the panel is\n"
               "asked again at once. When no block has come for 2 s (a panel that does not\n"
               "answer, an adapter pulled out), a notice goes to standard error and the polls go\n"
               "on; another notice tells when blocks come again. Ends after N blocks, or on\n"
               "Ctrl+C, with status 0; when the port cannot be opened, the port's error is\n"
               "shown and the status is 1.\n"
               "\n"
               "Options:\n")
        + LinkOptionsHelp()
        + QStringLiteral(
               "                     (not used here: the monitor does not log in)\n"
               "  --count N          stop after N blocks (default: run until Ctrl+C)\n"
               "  --csv FILE         also record every block into FILE as CSV, a row each as it\n"
               "                     comes: time (ISO 8601, local time with its offset), supply,\n"
               "                     battery, temperature, each zone's state and loop, the outputs,\n"
               "                     tampers and faults (1 set, 0 clear) and the radio detectors;\n"
               "                     the first line names the columns\n"
               "\n"
               "Examples:\n"
               "  qzv6 monitor --port ttyUSB0\n"
               "  qzv6 monitor --port ttyUSB0 --count 1 | grep '^Зона'\n"
               "  qzv6 monitor --port /dev/ttyUSB1 --baud 57600 --count 20 > status.txt\n"
               "  qzv6 monitor --port ttyUSB0 --csv night.csv > /dev/null\n");
}

void printBlock(const QStringList& lines, bool first)
{
    const QString text = (first ? QString() : QStringLiteral("\n")) + lines.join('\n') + '\n';
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int watch(const CommandLine& line, const LinkInputs& inputs, int count)
{
    MonitorCsvStream csv;
    const QString csvPath = line.value(QStringLiteral("csv"));
    if (!csvPath.isEmpty()) {
        if (const std::optional<QString> error = csv.open(csvPath)) {
            ConsoleHost(false).message(QStringLiteral("qzv6 monitor: cannot write %1: %2").arg(csvPath, *error));
            return ExitFailure;
        }
    }
    int exitStatus = ExitSuccess;
    ConsoleHost host(false);
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs = inputs;
    const TraceOnExit trace(line, link, host);
    Monitor monitor(link);
    MonitorListing listing;
    QEventLoop loop;
    const QLocale locale = QLocale::system();
    int shown = 0;
    const auto finish = [&] {
        monitor.stop();
        loop.quit();
    };
    QTimer silence;
    silence.setSingleShot(true);
    bool silent = false;
    QObject::connect(&silence, &QTimer::timeout, [&] {
        silent = true;
        host.message(SilenceNotice);
    });
    QObject::connect(&monitor, &Monitor::statusReceived, [&](const MonitorStatus& status) {
        if (std::exchange(silent, false))
            host.message(AnswersAgainNotice);
        silence.start(SilenceNoticeMs);
        if (!csvPath.isEmpty()) {
            if (const std::optional<QString> error = csv.append({QDateTime::currentMSecsSinceEpoch(), status})) {
                host.message(QStringLiteral("qzv6 monitor: cannot write %1: %2").arg(csvPath, *error));
                exitStatus = ExitFailure;
                finish();
                return;
            }
        }
        listing.apply(decodeMonitorStatus(status, locale));
        printBlock(listing.lines(), shown == 0);
        if (++shown == count)
            finish();
    });
    host.setInterruptHandler(finish);
    QTimer interruptCheck;
    QObject::connect(&interruptCheck, &QTimer::timeout, [&host] { host.processEvents(); });
    interruptCheck.start(InterruptCheckMs);

    monitor.start();
    // A port that cannot be opened has been reported and leaves the timer off.
    if (!monitor.timer().isActive())
        return ExitFailure;
    silence.start(SilenceNoticeMs);
    loop.exec();
    return exitStatus;
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options =
        LinkOptions() + QList<QCommandLineOption>{QCommandLineOption(QStringLiteral("count"), {}, QStringLiteral("N")),
                                                  QCommandLineOption(QStringLiteral("csv"), {}, QStringLiteral("FILE"))};
    CommandLine line(QStringLiteral("monitor"), help(), options, {});
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<LinkInputs> inputs = LinkInputsFrom(line);
    if (!inputs)
        return ExitUsage;
    int count = 0;
    if (line.isSet(QStringLiteral("count"))) {
        bool isNumber = false;
        count = line.value(QStringLiteral("count")).toInt(&isNumber);
        if (!isNumber || count < 1)
            return line.usageError(QStringLiteral("--count takes a whole number of blocks, 1 or more."));
    }
    return watch(line, *inputs, count);
}

} // namespace

Command MonitorCommand()
{
    return {QStringLiteral("monitor"), QStringLiteral("watch the panel live: zones, outputs, tampers, faults, lamps"),
            help(), run};
}
