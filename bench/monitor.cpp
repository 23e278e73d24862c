// What the monitor costs and how fast it shows a change.
// 1. Showing one status block: the decoding, and the monitor page applying the
//    view (offscreen), against the 500 ms between two polls. Median of repeated runs.
// 2. Live, over a pseudo-terminal at 115200 bit/s against qzv6-panel-sim, with the
//    window's Monitor, QtHost, QtSerialPort and MonitorPage on a Qt event loop:
//    polls per second over 30 s, the time from a zone change in the panel to its
//    label's new text, and the longest gap between two passes of the event loop.
#include "benchsupport.h"

#include "link/panellink.h"
#include "link/qtserialport.h"
#include "service/monitor.h"
#include "service/monitorstatus.h"
#include "ui/monitorpage.h"
#include "ui/qthost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 2000;
constexpr int PollingSeconds = 30;
constexpr int Changes = 10;
constexpr int ChangeTimeoutMs = 3000;
const QString WatchedZone = QStringLiteral("sLabel_ZN_03");

// Blocks that differ from one to the next, so every label and lamp changes.
MonitorStatus varied(int seed)
{
    MonitorStatus status;
    for (int i = 0; i < MonitorStatus::Size; ++i)
        status.bytes[size_t(i)] = quint8((seed * 37 + i * 101) & 0xFF);
    return status;
}

double medianMicroseconds(const std::function<void(int)>& run)
{
    std::vector<qint64> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return double(times[times.size() / 2]) / 1e3;
}

void showingOneBlock(const QLocale& locale)
{
    std::vector<MonitorStatus> blocks;
    for (int i = 0; i < Runs; ++i)
        blocks.push_back(varied(i));
    const double decode = medianMicroseconds([&](int i) { decodeMonitorStatus(blocks[size_t(i)], locale); });

    MonitorPage page;
    page.resize(760, 520);
    page.show();
    QApplication::processEvents();
    const double apply = medianMicroseconds([&](int i) {
        page.apply(decodeMonitorStatus(blocks[size_t(i)], locale));
        QApplication::processEvents();
    });

    std::printf("decode one status block:            %8.1f us (median of %d)\n", decode, Runs);
    std::printf("decode, apply and paint on the page: %8.1f us (median of %d)\n", apply, Runs);
    std::printf("share of the 500 ms poll period:     %8.3f %%\n", apply / 5000.0);
}

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window's monitor on the panel's pseudo-terminal, showing on a monitor page.
class LiveMonitor {
public:
    LiveMonitor(const QString& pty, const QLocale& locale) : link_(port_, host_), monitor_(link_)
    {
        link_.inputs.portName = pty;
        page_.resize(760, 520);
        page_.show();
        zone_ = page_.findChild<QLabel*>(WatchedZone);
        QObject::connect(&monitor_, &Monitor::txLedChanged, [this](bool lit) {
            page_.setTxLed(lit);
            if (lit)
                polls_.push_back(clock_.elapsed());
        });
        QObject::connect(&monitor_, &Monitor::statusReceived, [this, locale](const MonitorStatus& status) {
            page_.apply(decodeMonitorStatus(status, locale));
            if (zone_->text() != zoneText_) {
                zoneText_ = zone_->text();
                zoneChangedAt_ = clock_.elapsed();
            }
        });
        clock_.start();
    }

    void start() { monitor_.start(); }
    bool running() { return monitor_.timer().isActive(); }
    qint64 now() const { return clock_.elapsed(); }
    const std::vector<qint64>& polls() const { return polls_; }
    qint64 zoneChangedAt() const { return zoneChangedAt_; }

private:
    QtHost host_;
    QtSerialPort port_;
    PanelLink link_;
    Monitor monitor_;
    MonitorPage page_;
    QLabel* zone_ = nullptr;
    QString zoneText_;
    QElapsedTimer clock_;
    std::vector<qint64> polls_;
    qint64 zoneChangedAt_ = -1;
};

// Polls per second over the period, first poll to last.
double pollRate(const std::vector<qint64>& polls)
{
    if (polls.size() < 2)
        return 0;
    return double(polls.size() - 1) * 1000.0 / double(polls.back() - polls.front());
}

int live(const QLocale& locale)
{
    PanelSimProcess panel({"--commands", "--name", "bench-monitor"});
    const QString pty = panel.pty();
    if (pty.isEmpty())
        return 1;
    QProcess& sim = panel.process();

    LiveMonitor monitor(pty, locale);
    LoopGapMeter gaps;
    gaps.start();
    monitor.start();
    if (!monitor.running())
        return 1;
    runEventLoopFor(PollingSeconds * 1000);
    const std::vector<qint64> polls = monitor.polls();

    // Changes at different points of the poll period, the zone into alarm and back.
    std::vector<double> latencies;
    for (int i = 0; i < Changes; ++i) {
        runEventLoopFor(700 + i * 173 % 500);
        const qint64 before = monitor.zoneChangedAt();
        sim.write(i % 2 == 0 ? "alarm 3\n" : "normal 3\n");
        sim.waitForBytesWritten();
        const qint64 changedAt = monitor.now();
        while (monitor.zoneChangedAt() == before && monitor.now() - changedAt < ChangeTimeoutMs)
            runEventLoopFor(1);
        if (monitor.zoneChangedAt() == before) {
            std::fprintf(stderr, "zone 3 did not change within %d ms\n", ChangeTimeoutMs);
            return 1;
        }
        latencies.push_back(double(monitor.zoneChangedAt() - changedAt));
    }

    std::printf("live monitor over %s at 115200 bit/s (QtHost, QtSerialPort, MonitorPage):\n", qPrintable(pty));
    std::printf("polls per second over %d s:          %8.3f (%zu polls)\n", PollingSeconds, pollRate(polls),
                polls.size());
    std::printf("zone change to its label's text:     %8.0f ms median, %.0f ms worst of %d\n", Median(latencies),
                *std::max_element(latencies.begin(), latencies.end()), Changes);
    std::printf("longest event-loop gap while monitoring: %.2f ms\n", gaps.longestMs());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QLocale locale(QLocale::Russian, QLocale::Russia);
    showingOneBlock(locale);
    return live(locale);
}
