// What the monitor's recording costs: the heap taken by an 8-hour session at two
// blocks a second (goal under 50 MB), per block and per hour; and the time to
// turn the whole session into the plots' lines, which the plot window does at
// most once a second while it follows the monitor.
#include "benchsupport.h"

#include "livestate.h"
#include "service/monitorrecording.h"
#include "service/monitorseries.h"
#include "virtualpanel.h"

#include <QElapsedTimer>

#include <cstdio>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr qint64 BlocksPerHour = 2 * 3600;
constexpr int Hours = 8;
constexpr qint64 Start = 1'765'000'000'000;

// Heap bytes in use; zero where the C library does not tell.
qint64 heapInUse()
{
#if defined(__GLIBC__)
    return qint64(mallinfo2().uordblks);
#else
    return 0;
#endif
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 blocks = BlocksPerHour * Hours;
    // The virtual panel's demo, polled on its own clock: doors, a motion detector, the case tamper, mains, temperature.
    std::vector<MonitorStatus> session;
    session.reserve(size_t(blocks));
    {
        qint64 clock = 0;
        VirtualPanel panel([&clock] { return clock; });
        LiveState live(panel);
        live.playDemo();
        for (qint64 i = 0; i < blocks; ++i, clock += 500)
            session.push_back(*MonitorStatus::fromBytes(panel.handle("p000E0439;")));
    }
    const qint64 before = heapInUse();
    MonitorRecording recording;
    for (qint64 i = 0; i < blocks; ++i)
        recording.append(Start + i * 500, session[size_t(i)]);
    const qint64 after = heapInUse();
    if (after > before) {
        const double perBlock = double(after - before) / double(blocks);
        std::printf("recording, heap per block:       %8.1f bytes (%zu bytes of block and time)\n", perBlock,
                    sizeof(RecordedBlock));
        std::printf("recording, heap per hour:        %8.2f MB at 2 blocks/s\n", perBlock * BlocksPerHour / 1e6);
        std::printf("recording, heap for %d hours:     %8.2f MB (goal under 50 MB)\n", Hours, double(after - before) / 1e6);
    } else {
        std::printf("recording: the C library does not tell its heap; %zu bytes a block\n", sizeof(RecordedBlock));
    }

    std::vector<double> runs;
    for (int r = 0; r < 5; ++r) {
        QElapsedTimer timer;
        timer.start();
        const MonitorSeries series = BuildMonitorSeries(recording, Start, Start + blocks * 500, 2000);
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (series.supply.empty())
            return 1;
    }
    std::printf("plots' lines for all %d hours:    %8.1f ms (median of 5, 2000 points a line)\n", Hours, Median(runs));
    return 0;
}
