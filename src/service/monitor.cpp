#include "service/monitor.h"

#include "link/frames.h"
#include "link/panellink.h"

namespace {

// The CommandFrame of payload "000E04", kept as a fixed text.
const QByteArray pollFrame = QByteArrayLiteral("p000E0439;");
const QString keyPayload = QStringLiteral("000E02");

constexpr int PollInterval = 500;
constexpr int AtOnce = 1;
constexpr int KeyInterval = 1000; // no tick falls due while a key's exchange runs
constexpr int ReplyLimit = 180;
constexpr int EchoedReply = 63;   // the poll frame's ten characters, then the block
constexpr int ToneHz = 600;
constexpr int ToneMs = 70;

} // namespace

Monitor::Monitor(PanelLink& link, QObject* parent)
    : QObject(parent), link_(link), interval_(PollInterval)
{
    Timer_Monitor.setObjectName("Timer_Monitor");
    Timer_Monitor.setTimerType(Qt::PreciseTimer);
    Timer_Monitor.setInterval(interval_);
    connect(&Timer_Monitor, &QTimer::timeout, this, &Monitor::Timer_MonitorTimer);
}

void Monitor::start()
{
    runTicked_ = true;
    PendingKey = NoKey; // a key clicked while the monitor was stopped is dropped
    link_.host().sound(Sound::Information);
    setUpPending_ = true;
    // Another operation holds the port: the first tick after it sets the port up.
    if (!link_.runOperation([this] { setUp(); }))
        enableTimer();
}

void Monitor::setUp()
{
    // A port that cannot be set up leaves the timer off; the error reaches the user.
    Timer_Monitor.stop();
    link_.PortSetup();
    link_.CancelRequested = false;
    setUpPending_ = false;
    enableTimer();
}

void Monitor::stop()
{
    runTicked_ = false;
    Timer_Monitor.stop();
    // A running operation, this monitor's own tick included, closes the port at its end.
    link_.runOperation([this] { link_.port().close(); });
    link_.host().sound(Sound::Default);
}

void Monitor::pressKey(int code)
{
    PendingKey = code;
    ++keyPresses_;
    tick();
}

void Monitor::Timer_MonitorTimer()
{
    countStart_ = link_.host().now();
    tick();
}

void Monitor::tick()
{
    if (!runTicked_)
        return;
    // A tick that falls due while another operation, or an earlier tick, holds the port is skipped.
    const bool ran = link_.runOperation([this] {
        if (setUpPending_)
            setUp();
        ticking_ = true;
        try {
            tickSteps();
        } catch (const std::exception&) {
            // The monitor retries by itself; any error, a port's included, ends the tick
            // without a word. A dead port is tried again at the poll's pace, not at once.
            if (interval_ < PollInterval)
                setInterval(PollInterval);
        }
        ticking_ = false;
        if (!runTicked_)
            closeQuietly();
    });
    // A tick skipped inside this monitor's own tick leaves that tick's cadence alone.
    if (!ran && !ticking_)
        setInterval(BusyPause);
}

void Monitor::tickSteps()
{
    if (!link_.port().open())
        return;
    setInterval(PollInterval);
    if (PendingKey == NoKey)
        poll();
    else
        deliverKey();
}

void Monitor::poll()
{
    Host& host = link_.host();
    emit txLedChanged(true);
    link_.port().write(pollFrame);
    host.processEvents();
    host.wait(10);
    host.processEvents();
    host.wait(10);
    host.processEvents();
    QByteArray received = link_.port().read(ReplyLimit);
    emit txLedChanged(false);

    // Only the length counts: neither a frame nor a checksum is looked for.
    if (received.size() == EchoedReply)
        received.remove(0, pollFrame.size());
    const std::optional<::MonitorStatus> status = ::MonitorStatus::fromBytes(received);
    if (!status) {
        setInterval(AtOnce);
        return;
    }
    MonitorStatus = *status;
    emit statusReceived(MonitorStatus);
}

void Monitor::deliverKey()
{
    const int presses = keyPresses_;
    const int key = PendingKey; // a key clicked meanwhile waits for its own delivery
    setInterval(KeyInterval);
    sendKeyFrame(key);
    link_.host().processEvents();
    // A failed exchange has closed the port: this second offer then raises a port
    // error and the key waits for the next tick, a second later.
    if (link_.LinkFailed)
        sendKeyFrame(key);
    link_.host().tone(ToneHz, ToneMs);
    if (presses == keyPresses_)
        PendingKey = NoKey;
    // The poll that follows at once shows the panel's answer to the key.
    setInterval(AtOnce);
    link_.host().processEvents();
}

void Monitor::sendKeyFrame(int key)
{
    link_.RequestText = BuildFrame(keyPayload + hexByte(key));
    link_.AckExchange();
}

void Monitor::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    countStart_ = link_.host().now();
    if (Timer_Monitor.isActive())
        Timer_Monitor.start(ms);
    else
        Timer_Monitor.setInterval(ms);
}

void Monitor::enableTimer()
{
    countStart_ = link_.host().now();
    Timer_Monitor.start(interval_);
}

void Monitor::closeQuietly()
{
    try {
        link_.port().close();
    } catch (const EComPort&) {
    }
}

std::optional<qint64> Monitor::nextTickDue() const
{
    if (!Timer_Monitor.isActive())
        return std::nullopt;
    return countStart_ + interval_;
}
