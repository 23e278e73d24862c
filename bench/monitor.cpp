// What showing one status block costs: the decoding, and the monitor page applying
// the view (offscreen), against the 500 ms between two polls. Median of repeated runs.
#include "service/monitorstatus.h"
#include "ui/monitorpage.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 2000;

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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QLocale locale(QLocale::Russian, QLocale::Russia);

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
    return 0;
}
