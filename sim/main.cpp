// qzv6-panel-sim: a virtual QZV-6 panel on a pseudo-terminal.
#include "livecommands.h"
#include "livestate.h"
#include "ptyserver.h"
#include "virtualpanel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

const int stoppingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handlers run only while the server waits in ppoll, never mid-answer.
void catchStoppingSignals()
{
    sigset_t blocked;
    sigemptyset(&blocked);
    for (const int s : stoppingSignals) {
        std::signal(s, requestStop);
        sigaddset(&blocked, s);
    }
    sigprocmask(SIG_BLOCK, &blocked, nullptr);
}

int fail(const QString& text)
{
    std::fprintf(stderr, "qzv6-panel-sim: %s\n", qPrintable(text));
    return 2;
}

struct Options {
    QCommandLineOption name{"name", "Announced name of the panel (default QZV-6-virtual).", "name", "QZV-6-virtual"};
    QCommandLineOption password{"password", "Installer password, 0-9 and A-F, up to 26 (default 90817, or the image's).", "digits", "90817"};
    QCommandLineOption image{"image", "Start from this 1024-byte memory image instead of the factory one.", "file"};
    QCommandLineOption saveImage{"save-image", "Save the memory image to this file on exit.", "file"};
    QCommandLineOption loginStatus{"login-status", "Answer every login with this status byte (FF: other firmware).", "hex"};
    QCommandLineOption temperature{"temperature", "Temperature word, hexadecimal, sign in bit 11 (default 0191: 25.06 C).", "hex"};
    QCommandLineOption restartDelay{"restart-delay", "After a restart, answer nothing for this many ms while booting (default 1500).", "ms", "1500"};
    QCommandLineOption dropWrite{"drop-write", "Fault: acknowledge a write to this address (hexadecimal, e.g. 0025) without storing it.", "hex"};
    QCommandLineOption enrolDelay{"enrol-delay", "Learn a key this many ms after an enrolment request (default 5000; -1 never).", "ms", "5000"};
    QCommandLineOption silent{"silent", "Fault: never answer."};
    QCommandLineOption answerAfter{"answer-after", "Fault: lose the first N requests.", "n"};
    QCommandLineOption stopAfter{"stop-after", "Fault: fall silent after N requests.", "n"};
    QCommandLineOption late{"late", "Fault: answer this many ms late.", "ms"};
    QCommandLineOption corrupt{"corrupt-checksum", "Fault: send wrong checksums."};
    QCommandLineOption echoOther{"echo-other", "Fault: answer as if to another command."};
    QCommandLineOption lowerCase{"lower-case", "Fault: write hexadecimal digits in lower case."};
    QCommandLineOption noise{"noise", "Fault: send this text before every answer (noise or an old frame).", "text"};
    QCommandLineOption echoRequest{"echo-request", "Fault: send the request back before the answer."};
    QCommandLineOption faultCommand{"fault-command", "Apply the faults only to this command code (two digits, e.g. 21).", "code"};
    QCommandLineOption verbose{"verbose", "Print every request received to standard error."};
    QCommandLineOption demo{"demo", "Live demo: doors open and close, a motion zone trips, the case tamper and "
                                    "the mains fail now and then, the temperature drifts around 25 C."};
    QCommandLineOption commands{"commands", "Read live commands from standard input, one a line (listed above)."};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({name, password, image, saveImage, loginStatus, temperature, restartDelay, dropWrite, enrolDelay, silent,
                           answerAfter, stopAfter, late, corrupt, echoOther, lowerCase, noise, echoRequest,
                           faultCommand, verbose, demo, commands});
    }
};

PanelFaults faultsFrom(const QCommandLineParser& p, const Options& o)
{
    PanelFaults f;
    f.silent = p.isSet(o.silent);
    f.answerAfter = p.value(o.answerAfter).toInt();
    f.stopAfter = p.isSet(o.stopAfter) ? p.value(o.stopAfter).toInt() : -1;
    f.lateMs = p.value(o.late).toInt();
    f.corruptChecksum = p.isSet(o.corrupt);
    f.echoOtherCommand = p.isSet(o.echoOther);
    f.lowerCaseHex = p.isSet(o.lowerCase);
    f.noise = p.value(o.noise).toLatin1();
    f.echoRequest = p.isSet(o.echoRequest);
    f.onlyCommand = p.value(o.faultCommand).toUpper();
    f.dropWriteAt = p.isSet(o.dropWrite) ? p.value(o.dropWrite).toInt(nullptr, 16) : -1;
    return f;
}

// Applies the control input's lines to the live side; a wrong line is told, not fatal.
void takeLiveCommands(PtyServer& server, LiveState& live)
{
    server.takeCommands(STDIN_FILENO, [&live](const QByteArray& line) {
        const QString problem = ApplyLiveCommand(live, QString::fromLocal8Bit(line));
        if (!problem.isEmpty())
            std::fprintf(stderr, "qzv6-panel-sim: %s\n", qPrintable(problem));
    });
}

bool saveImage(const QString& path, const QByteArray& memory)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(memory) == memory.size() && file.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("qzv6-panel-sim");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A virtual QZV-6 panel on a pseudo-terminal. Prints the pseudo-terminal's path as the first\n"
        "line of standard output, announces the panel to the configurator's port list, and serves\n"
        "it until interrupted (Ctrl+C, SIGTERM).\n"
        "\n"
        "Its monitor block lives: zone loops, arming and alarms, and the loop memorisation.\n"
        "With --commands, each line of standard input changes a zone at once:\n"
        + LiveCommandsHelp()
        + "\n"
        "Examples:\n"
        "  qzv6-panel-sim --demo\n"
        "  { sleep 5; echo alarm 3; sleep 5; echo normal 3; } | qzv6-panel-sim --commands");
    parser.addHelpOption();
    const Options options;
    options.addTo(parser);
    parser.process(app);

    QElapsedTimer clock;
    clock.start();
    VirtualPanel panel([&clock] { return clock.elapsed(); });
    if (parser.isSet(options.image)) {
        QFile file(parser.value(options.image));
        if (!file.open(QIODevice::ReadOnly))
            return fail("cannot read " + file.fileName());
        const QByteArray image = file.readAll();
        if (image.size() != VirtualPanel::memorySize)
            return fail(file.fileName() + " is not a 1024-byte memory image");
        panel.memory = image;
    }
    if (!parser.isSet(options.image) || parser.isSet(options.password)) {
        if (!panel.setPassword(parser.value(options.password)))
            return fail("the password takes up to 26 characters 0-9, A-F");
    }
    panel.loginStatus = parser.value(options.loginStatus).toUpper();
    if (parser.isSet(options.temperature))
        panel.setTemperature(parser.value(options.temperature).toInt(nullptr, 16));
    panel.enrolDelayMs = parser.value(options.enrolDelay).toInt();
    bool validDelay = false;
    panel.restartDelayMs = parser.value(options.restartDelay).toInt(&validDelay);
    if (!validDelay || panel.restartDelayMs < 0)
        return fail("--restart-delay takes a number of milliseconds, 0 or more");
    bool validAddress = !parser.isSet(options.dropWrite);
    if (!validAddress) {
        const int address = parser.value(options.dropWrite).toInt(&validAddress, 16);
        validAddress = validAddress && address >= 0 && address < VirtualPanel::memorySize;
    }
    if (!validAddress)
        return fail("--drop-write takes a memory address in hexadecimal, 0000 to 03FF");
    panel.setFaults(faultsFrom(parser, options));
    LiveState live(panel);
    if (parser.isSet(options.demo))
        live.playDemo();

    catchStoppingSignals();
    PtyServer server(panel);
    const QString pty = server.open();
    if (pty.isEmpty())
        return fail("cannot open a pseudo-terminal");
    std::printf("%s\n", qPrintable(pty));
    std::fflush(stdout);
    const QString link = server.announce(parser.value(options.name));
    std::fprintf(stderr, "qzv6-panel-sim: serving on %s, announced as %s\n", qPrintable(pty),
                 link.isEmpty() ? "(nothing: the announcement failed)" : qPrintable(link));

    if (parser.isSet(options.commands))
        takeLiveCommands(server, live);
    const bool served = server.serve(stopRequested, parser.isSet(options.verbose));
    if (parser.isSet(options.saveImage) && !saveImage(parser.value(options.saveImage), panel.memory))
        return fail("cannot save the image to " + parser.value(options.saveImage));
    return served ? 0 : fail("the pseudo-terminal failed");
}
