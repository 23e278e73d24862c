// A full read and a full write of the configuration over a pseudo-terminal at
// 115200 bit/s against qzv6-panel-sim, each against its floor of fixed waits.
#include "link/host.h"
#include "link/panellink.h"
#include "link/qtserialport.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 3;
// Three opening requests at 57 ms; the login, 65 blocks, the test request and 30 records at 30 ms.
constexpr double ReadFloorMs = 3 * 57 + 97 * 30;
// Three opening requests, then the login at 30 ms; 95 blocks and the restart at 57 ms; the 10 ms pause.
constexpr double WriteFloorMs = 3 * 57 + 30 + 96 * 57 + 10;

// Waits as the console's host does: a local event loop on a precise timer.
class BenchHost : public Host {
public:
    void message(const QString& text) override { messages << text; }
    bool confirm(const QString&) override { return true; }
    void sound(Sound) override {}
    void tone(int, int) override {}
    void processEvents() override { QCoreApplication::processEvents(); }
    void wait(int ms) override
    {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    qint64 now() const override { return 0; }
    void showPage(const QString&) override {}
    void setTitle(const QString&) override {}
    void setControlText(const QString&, const QString&) override {}
    QString askSaveFile(const FileDialogRequest&) override { return {}; }
    QString askOpenFile(const FileDialogRequest&) override { return {}; }
    void progressUpdate(int, int) override {}
    void progressBarColor(quint32) override {}
    void progressShow() override {}
    void progressClose() override {}

    QStringList messages;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

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
    std::printf(" ms; median %.0f ms = %.3f x floor (goal 1.10)\n", median(runs), median(runs) / floorMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir runtime;
    QProcess simulator;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    simulator.setProcessEnvironment(environment);
    simulator.start(QStringLiteral(QZV6_BIN_DIR "/qzv6-panel-sim"), {});
    while (simulator.state() != QProcess::NotRunning && !simulator.canReadLine())
        simulator.waitForReadyRead(10000);
    const QString path = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    if (path.isEmpty()) {
        std::fprintf(stderr, "qzv6-panel-sim did not start\n");
        return 1;
    }

    BenchHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = path;
    SettingsStore store;
    const QLocale locale = QLocale::c();
    std::vector<double> reads;
    std::vector<double> writes;
    for (int i = 0; i < Rounds; ++i) {
        reads.push_back(timed([&] { return ReadConfiguration(link, store, {false, locale}); }));
        writes.push_back(timed([&] { return WriteConfiguration(link, store, locale); }));
    }
    report("read ", reads, ReadFloorMs);
    report("write", writes, WriteFloorMs);

    simulator.terminate();
    simulator.waitForFinished(5000);
    return 0;
}
