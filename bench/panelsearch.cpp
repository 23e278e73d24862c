// The search for the panel over ten silent ports: ten virtual panels that never
// answer (qzv6-panel-sim --silent), each on its pseudo-terminal, searched through
// QtSerialPort at 115200 bit/s as the window's "Найти ППК" does; and the longest
// time the event loop was held meanwhile (the window stays painted while it is short).
#include "benchsupport.h"

#include "link/panellink.h"
#include "link/panelsearch.h"
#include "link/qtserialport.h"

#include <QElapsedTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int SilentPorts = 10;
constexpr int Rounds = 3;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<PanelSimProcess>> panels;
    QStringList ports;
    for (int i = 0; i < SilentPorts; ++i) {
        panels.push_back(std::make_unique<PanelSimProcess>(QStringList{"--silent"}));
        if (panels.back()->pty().isEmpty())
            return 1;
        ports << panels.back()->pty();
    }

    BenchHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    std::vector<double> times;
    std::vector<double> gaps;
    for (int r = 0; r < Rounds; ++r) {
        LoopGapMeter gap;
        gap.start();
        QElapsedTimer timer;
        timer.start();
        const auto results = SearchPanel(link, ports);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        gaps.push_back(gap.longestMs());
        if (!results || results->size() != SilentPorts) {
            std::fprintf(stderr, "the search did not run over every port\n");
            return 1;
        }
        for (const PortProbe& probe : *results)
            if (probe.outcome != PortProbe::Outcome::Silent) {
                std::fprintf(stderr, "%s: not silent (%s)\n", qPrintable(probe.port), qPrintable(probe.error));
                return 1;
            }
    }
    std::printf("search of %d silent ports at 115200 bit/s: runs", SilentPorts);
    for (const double ms : times)
        std::printf(" %.0f", ms);
    std::printf(" ms; median %.0f ms (goal under 5000 ms)\n", Median(times));
    std::printf("longest event-loop gap during a search: median %.1f ms, worst %.1f ms\n", Median(gaps),
                *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
