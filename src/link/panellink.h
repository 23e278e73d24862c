#pragma once

#include "link/host.h"
#include "link/protocoltrace.h"
#include "link/serialport.h"
#include "link/tracedport.h"
#include "link/transferprogress.h"

#include <QString>
#include <functional>

// What the link takes from the main window: cbPort, cbBaudRate, EditPassComm.
struct LinkInputs {
    QString portName;
    int speedIndex = 12; // 115200 bit/s
    QString password = "90817";
};

// The request/reply service over one serial port: the two exchange styles with
// their retries and fixed waits, the port set-up and the password login.
class PanelLink {
public:
    PanelLink(SerialPort& port, Host& host);

    static const QString LinkFailureText;

    LinkInputs inputs;
    QString RequestText;
    QString ReplyText;
    bool LinkFailed = false;
    bool CancelRequested = false;
    ::TransferProgress TransferProgress;
    // Everything that passes through the port, always on.
    ProtocolTrace Trace;

    // Closes the port, applies the inputs' name and speed, opens it. Throws EComPort.
    void PortSetup();
    // Sends the frame in RequestText; succeeds on the panel's acknowledgement.
    void AckExchange();
    // Frames the payload in RequestText, sends it; succeeds on a reply to the same
    // command, which stays in ReplyText.
    void ReplyExchange();
    // The same data exchange for an optional request: when the panel never
    // answers, nothing is shown or closed and the operation can go on.
    bool ReplyExchangeQuietly();
    // The acknowledged exchange in the same way, for a panel that may still be booting.
    bool AckExchangeQuietly();
    // The opening requests and the password. False when refused or failed; the
    // message has been shown and the port closed.
    bool Login();

    // The busy guard: while one panel operation runs, another does not start on
    // the same port, since event processing during waits would let them interleave.
    bool busy() const { return busy_; }
    // Runs a panel operation unless one is running; then returns false without
    // running it and without a sound (a skipped monitor tick must stay quiet).
    // An EComPort thrown inside ends the operation: the port and the progress
    // display are closed and the port's text is shown.
    bool runOperation(const std::function<void()>& operation);

    SerialPort& port() { return port_; }
    Host& host() { return host_; }

private:
    struct Exchange;
    void exchange(const Exchange& style);
    bool tryAll(const Exchange& style);
    bool tryOnce(const Exchange& style);
    void giveUp();
    void stopOnCancel();
    bool refuseLogin(const QString& text);

    TracedPort traced_;
    SerialPort& port_;
    Host& host_;
    bool busy_ = false;
};
