#include "cli/command.h"
#include "cli/commandline.h"
#include "cli/consolehost.h"
#include "cli/linkoptions.h"
#include "link/systemserialport.h"
#include "service/monitor.h"
#include "service/monitorlisting.h"

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
               "Usage: qzv6 monitor --port PORT [--baud RATE] [--count N]\n"
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
               "\n"
               "Examples:\n"
               "  qzv6 monitor --port ttyUSB0\n"
               "  qzv6 monitor --port ttyUSB0 --count 1 | grep '^Зона'\n"
               "  qzv6 monitor --port /dev/ttyUSB1 --baud 57600 --count 20 > status.txt\n");
}

void printBlock(const QStringList& lines, bool first)
{
    const QString text = (first ? QString() : QStringLiteral("\n")) + lines.join('\n') + '\n';
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int watch(const LinkInputs& inputs, int count)
{
    ConsoleHost host(false);
    const auto port = MakeSystemSerialPort();
    PanelLink link(*port, host);
    link.inputs = inputs;
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
    return ExitSuccess;
}

int run(const QStringList& arguments)
{
    const QList<QCommandLineOption> options =
        LinkOptions() + QList<QCommandLineOption>{QCommandLineOption(QStringLiteral("count"), {}, QStringLiteral("N"))};
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
    return watch(*inputs, count);
}

} // namespace

Command MonitorCommand()
{
    return {QStringLiteral("monitor"), QStringLiteral("watch the panel live: zones, outputs, tampers, faults, lamps"),
            help(), run};
}
