// The time an exchange costs beyond its fixed wait (57 ms acknowledged, 30 ms
// data reply), over a pseudo-terminal at 115200 bit/s against qzv6-panel-sim.
#include "benchsupport.h"

#include "link/panellink.h"
#include "link/qtserialport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int rounds = 50;

// Precise real waits (sleep, then a short spin to the deadline, as a precise
// timer would), and a record of how long they took, so the link's own cost shows.
class LinkBenchHost : public BenchHost {
public:
    void wait(int ms) override
    {
        using namespace std::chrono;
        const auto start = steady_clock::now();
        const auto deadline = start + milliseconds(ms);
        std::this_thread::sleep_until(deadline - microseconds(700));
        while (steady_clock::now() < deadline)
            std::this_thread::yield();
        waitedNs += duration_cast<nanoseconds>(steady_clock::now() - start).count();
    }

    qint64 waitedNs = 0;
};

struct Figures {
    std::vector<double> beyondNominal; // elapsed minus the fixed wait
    std::vector<double> outsideWaits;  // elapsed minus the time actually spent waiting
};

double worst(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

template <typename Exchange>
Figures measure(PanelLink& link, LinkBenchHost& host, int fixedMs, Exchange exchange)
{
    Figures f;
    for (int i = 0; i < rounds; ++i) {
        host.waitedNs = 0;
        QElapsedTimer t;
        t.start();
        exchange();
        const double elapsed = t.nsecsElapsed() / 1e6;
        if (link.LinkFailed)
            return {};
        f.beyondNominal.push_back(elapsed - fixedMs);
        f.outsideWaits.push_back(elapsed - host.waitedNs / 1e6);
    }
    return f;
}

// From the request's last character written to the answer's last one read, on the
// bare pseudo-terminal: how fast the virtual panel answers a complete frame.
std::vector<double> panelAnswerTimes(const QString& pty)
{
    std::vector<double> times;
    const int fd = ::open(qPrintable(pty), O_RDWR | O_NOCTTY);
    termios raw{};
    if (fd < 0 || ::tcgetattr(fd, &raw) != 0)
        return times;
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        if (::write(fd, "p000501448E;", 12) != 12)
            break;
        QByteArray answer;
        pollfd line{fd, POLLIN, 0};
        char buffer[64];
        while (!answer.endsWith(';') && ::poll(&line, 1, 1000) > 0) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            answer.append(buffer, n);
        }
        times.push_back(t.nsecsElapsed() / 1e3);
    }
    ::close(fd);
    return times;
}

void print(const char* name, const Figures& f)
{
    std::printf("%-26s median %.2f ms beyond the fixed wait (worst %.2f); median %.2f ms outside the waits (worst %.2f)\n",
                name, Median(f.beyondNominal), worst(f.beyondNominal), Median(f.outsideWaits),
                worst(f.outsideWaits));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PanelSimProcess sim({"--name", "bench-link"});
    const QString pty = sim.pty();
    if (pty.isEmpty())
        return 1;

    const std::vector<double> answers = panelAnswerTimes(pty);
    if (!answers.empty())
        std::printf("%-26s median %.0f us (worst %.0f us)\n", "panel answer, round trip:", Median(answers),
                    worst(answers));

    LinkBenchHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = pty;
    int status = 0;
    try {
        link.PortSetup();
        if (!link.Login())
            throw EComPort("login failed");
        const Figures ack = measure(link, host, 57, [&] {
            link.RequestText = "p000501448E;";
            link.AckExchange();
        });
        const Figures data = measure(link, host, 30, [&] {
            link.RequestText = "0001100050"; // 16 bytes, the longest reply of a transfer
            link.ReplyExchange();
        });
        if (ack.beyondNominal.empty() || data.beyondNominal.empty())
            throw EComPort("an exchange gave up");
        std::printf("%d exchanges each at 115200 bit/s over %s\n", rounds, qPrintable(pty));
        print("acknowledged (57 ms):", ack);
        print("data reply (30 ms):", data);
    } catch (const EComPort& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        status = 1;
    }
    port.close();
    return status;
}
