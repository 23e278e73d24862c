// A full read, a full plain write and a full safe write (backup, write, restart,
// read-back) of the configuration over a pseudo-terminal at 115200 bit/s
// against qzv6-panel-sim, each against its floor of fixed waits; and what the
// protocol trace, always on, adds to a full read.
#include "benchsupport.h"

#include "link/panellink.h"
#include "link/protocoltrace.h"
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

// Keeps what passes through the port, to replay it into a trace of its own.
class RecordingPort : public SerialPort {
public:
    explicit RecordingPort(SerialPort& port) : port_(port) {}
    bool open() override { return port_.open(); }
    bool close() override { return port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    void setPortName(const QString& name) override { port_.setPortName(name); }
    void setSpeedIndex(int index) override { port_.setSpeedIndex(index); }
    void write(const QByteArray& data) override
    {
        traffic.push_back({true, data});
        port_.write(data);
    }
    QByteArray read(int maxCount) override
    {
        QByteArray data = port_.read(maxCount);
        traffic.push_back({false, data});
        return data;
    }

    struct Passage {
        bool sent;
        QByteArray data;
    };
    std::vector<Passage> traffic;

private:
    SerialPort& port_;
};

// The trace's whole share of one read: every write and read of it replayed into
// a trace that already holds a full ring, so the ring's turnover is paid too.
double traceMsPerRead(const std::vector<RecordingPort::Passage>& traffic)
{
    constexpr int Replays = 200;
    qint64 clock = 0;
    ProtocolTrace trace([&clock] { return ++clock; });
    for (int i = 0; i < ProtocolTrace::Capacity; ++i)
        trace.sent("p000501448E;");
    std::vector<double> runs;
    for (int r = 0; r < Replays; ++r) {
        QElapsedTimer timer;
        timer.start();
        for (const RecordingPort::Passage& passage : traffic) {
            if (passage.sent) {
                trace.sent(passage.data);
            } else {
                trace.received(passage.data);
                trace.judge(TraceVerdict::Accepted);
            }
        }
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return Median(runs);
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
    QtSerialPort serial;
    RecordingPort port(serial);
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

    port.traffic.clear();
    timed([&] { return ReadConfiguration(link, store, {false, locale}); });
    const double traceMs = traceMsPerRead(port.traffic);
    std::printf("trace of one full read: %zu writes and reads, %.3f ms (median of 200) = %.4f %% of the read's "
                "median %.0f ms (goal under 1 %%)\n",
                port.traffic.size(), traceMs, 100.0 * traceMs / Median(reads), Median(reads));

    return 0;
}
