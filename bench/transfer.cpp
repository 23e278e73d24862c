// A full read, a full plain write and a full safe write (backup, write, restart,
// read-back) of the configuration over a pseudo-terminal at 115200 bit/s
// against qzv6-panel-sim, each against its floor of fixed waits.
#include "benchsupport.h"

#include "link/panellink.h"
#include "link/qtserialport.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 3;
// Three opening requests at 57 ms; the login, 65 blocks, the test request and 30 records at 30 ms.
constexpr double ReadFloorMs = 3 * 57 + 97 * 30;
// Three opening requests, then the login at 30 ms; 95 blocks and the restart at 57 ms; the 10 ms pause.
constexpr double WriteFloorMs = 3 * 57 + 30 + 96 * 57 + 10;
constexpr int RestartDelayMs = 1500;
// A walk after the login: the test request, 65 blocks and 30 records at 30 ms.
constexpr double WalkMs = 96 * 30;
// The backup's walk, the write, the panel's boot and its first answered opening
// request, the login again, the read-back's walk.
constexpr double SafeWriteFloorMs = WalkMs + WriteFloorMs + RestartDelayMs + 57 + 3 * 57 + 30 + WalkMs;

template <typename Operation>
double timed(Operation operation)
{
    QElapsedTimer timer;
    timer.start();
    if (!operation()) {
        std::fprintf(stderr, "transfer failed\n");
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

void report(const char* name, const std::vector<double>& runs, double floorMs)
{
    std::printf("%s: floor %.0f ms, runs", name, floorMs);
    for (const double ms : runs)
        std::printf(" %.0f", ms);
    std::printf(" ms; median %.0f ms = %.3f x floor (goal 1.10)\n", Median(runs), Median(runs) / floorMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PanelSimProcess simulator({QStringLiteral("--restart-delay"), QString::number(RestartDelayMs)});
    const QString path = simulator.pty();
    if (path.isEmpty())
        return 1;

    BenchHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = path;
    SettingsStore store;
    const QLocale locale = QLocale::c();
    std::vector<double> reads;
    std::vector<double> writes;
    std::vector<double> safeWrites;
    QTemporaryDir backups;
    WriteOptions plain;
    plain.locale = locale;
    WriteOptions safe = plain;
    safe.backup = true;
    safe.backupFolder = backups.path();
    safe.verify = true;
    for (int i = 0; i < Rounds; ++i) {
        reads.push_back(timed([&] { return ReadConfiguration(link, store, {false, locale}); }));
        writes.push_back(timed([&] { return WriteConfiguration(link, store, plain).outcome == WriteOutcome::Written; }));
        host.wait(RestartDelayMs + 100); // the panel boots; the safe write is timed from a panel that answers
        safeWrites.push_back(timed([&] { return WriteConfiguration(link, store, safe).outcome == WriteOutcome::Written; }));
    }
    report("read      ", reads, ReadFloorMs);
    report("write     ", writes, WriteFloorMs);
    report("safe write", safeWrites, SafeWriteFloorMs);

    return 0;
}
