#pragma once

#include "service/monitorstatus.h"

#include <QObject>
#include <QTimer>
#include <optional>

class PanelLink;

// The live monitor: polls the panel for its status block twice a second while
// sCheckBox_Run is ticked, and carries the virtual keypad's keys in its ticks.
class Monitor : public QObject {
    Q_OBJECT

public:
    static constexpr int NoKey = 255;
    // How soon a tick skipped under another operation is tried again; a 1 ms
    // interval would otherwise spin through skipped ticks for as long as it runs.
    static constexpr int BusyPause = 25;

    explicit Monitor(PanelLink& link, QObject* parent = nullptr);

    // The keypad key waiting to be sent, NoKey for none.
    int PendingKey = NoKey;
    // The last accepted block.
    ::MonitorStatus MonitorStatus;

    // The click on sCheckBox_Run that ticks it. A port that cannot be opened is
    // reported and leaves the timer off; the box stays ticked. While another
    // operation holds the port, the first tick after it sets the port up.
    void start();
    // The click that unticks it.
    void stop();
    bool runTicked() const { return runTicked_; }

    // A keypad button's click: the key goes with the next tick, which runs at once.
    void pressKey(int code);

    // Timer_Monitor's event.
    void Timer_MonitorTimer();
    // One tick, as the timer and the keypad run it.
    void tick();

    QTimer& timer() { return Timer_Monitor; }
    int interval() const { return interval_; }
    // When Timer_Monitor falls due on the host's clock; nothing while it is disabled.
    std::optional<qint64> nextTickDue() const;

signals:
    void statusReceived(const ::MonitorStatus& status);
    void txLedChanged(bool lit);

private:
    // Start steps 3 to 5: the port set up anew, the cancel flag cleared, the timer on.
    void setUp();
    void tickSteps();
    void poll();
    void deliverKey();
    void sendKeyFrame(int key);
    // A new interval restarts the count; the same one changes nothing.
    void setInterval(int ms);
    void enableTimer();
    void closeQuietly();

    PanelLink& link_;
    QTimer Timer_Monitor;
    int interval_;
    qint64 countStart_ = 0;
    bool runTicked_ = false;
    bool setUpPending_ = false; // started while another operation held the port
    bool ticking_ = false; // a tick of this monitor holds the port
    // Counts key presses, so a key pressed while another is on its way is not dropped with it.
    int keyPresses_ = 0;
};
