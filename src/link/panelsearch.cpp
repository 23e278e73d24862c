#include "link/panelsearch.h"

#include "link/frames.h"
#include "link/panellink.h"

namespace {

const QString OpeningPayload = QStringLiteral("00050144");
constexpr int Tries = 3;
constexpr int AckWaitsOf10 = 5;
constexpr int AckLastWait = 7;
constexpr int PauseAfterMiss = 30;
// The acknowledgement is ten characters; a short read keeps a silent port's
// time-out at 33 ms instead of 221, so that ten silent ports take seconds, not ten.
constexpr int ReadLimit = 32;

bool acknowledgedAfterTries(PanelLink& link, const QString& frame)
{
    SerialPort& port = link.port();
    Host& host = link.host();
    for (int i = 0; i < Tries; ++i) {
        if (i > 0)
            host.wait(PauseAfterMiss);
        host.processEvents();
        port.write(frame.toLatin1());
        for (int w = 0; w < AckWaitsOf10; ++w)
            host.wait(10);
        host.wait(AckLastWait);
        const QString reply = CleanReply(QString::fromLatin1(port.read(ReadLimit)));
        const bool accepted = passesChecksum(reply) && passesAcknowledgement(reply, frame);
        link.Trace.judge(VerdictOf(reply, accepted));
        if (accepted)
            return true;
    }
    return false;
}

PortProbe probe(PanelLink& link, const QString& name)
{
    SerialPort& port = link.port();
    PortProbe result{name, PortProbe::Outcome::Silent, {}};
    try {
        port.close();
        port.setPortName(name);
        port.setSpeedIndex(link.inputs.speedIndex);
        if (!port.open())
            throw EComPort(QStringLiteral("Ошибка функции SetCommState"));
        result.outcome = acknowledgedAfterTries(link, BuildFrame(OpeningPayload)) ? PortProbe::Outcome::Answered
                                                                                 : PortProbe::Outcome::Silent;
    } catch (const EComPort& error) {
        result.outcome = PortProbe::Outcome::Unavailable;
        result.error = error.text();
    }
    try {
        port.close();
    } catch (const EComPort&) {
    }
    return result;
}

} // namespace

std::optional<QList<PortProbe>> SearchPanel(PanelLink& link, const QStringList& ports)
{
    QList<PortProbe> results;
    const bool ran = link.runOperation([&] {
        link.CancelRequested = false;
        for (const QString& name : ports) {
            if (link.CancelRequested)
                break;
            results << probe(link, name);
        }
        // The port goes back to the window's choice, so that a running monitor keeps its port.
        link.port().setPortName(link.inputs.portName);
    });
    if (!ran)
        return std::nullopt;
    return results;
}
