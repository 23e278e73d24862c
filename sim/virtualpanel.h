#pragma once

#include "panelfaults.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

// A software QZV-6 panel as it behaves on the wire: memory, login, read, write,
// restart, temperature, memorisation, key enrolment, the monitor poll and keys,
// and faults on demand. No I/O: bytes in, bytes out, timed by a clock it is given.
class VirtualPanel {
public:
    using Clock = std::function<qint64()>;
    static constexpr int memorySize = 1024;
    static constexpr int statusSize = 53;

    explicit VirtualPanel(Clock clock);

    // Takes what the line delivered and returns what the panel sends by now.
    QByteArray handle(const QByteArray& received);
    void receive(const QByteArray& received);
    // What the panel has sent that is due by its clock, oldest first.
    QByteArray takeDue();
    // When the next answer falls due, if one is waiting.
    std::optional<qint64> nextDue() const;
    qint64 now() const { return clock_(); }

    // The installer password, stored in the panel's own layout at 0x0010.
    QString password() const;
    // False for a text of more than 26 characters or anything but 0-9 and A-F.
    bool setPassword(const QString& password);
    // Both the "21" reply and bytes 13-14 of the status block.
    void setTemperature(int word);
    // The panel has learnt a key for the last enrolment: the record is stored and
    // the completion frame is sent after delayMs. False without an enrolment.
    bool completeEnrolment(int delayMs = 0);
    // The line was dropped (the port closed): the login ends.
    void lineDropped();

    void setFaults(const PanelFaults& faults);
    const PanelFaults& faults() const { return faults_; }

    QByteArray memory;            // 1 KiB of configuration
    QByteArray status;            // the 53-byte monitor block
    QString loginStatus;          // forced login status ("FF"); empty: by the password
    int temperature = 0x0191;     // the word of the "21" reply
    bool requireLogin = true;     // read, write, restart and temperature need a login
    int enrolDelayMs = -1;        // completes every enrolment by itself after this; -1 never
    int restartDelayMs = 0;       // after a restart it hears nothing for this long, as it boots
    std::function<void()> beforeStatus; // brings the status block up to date before a poll is answered

    // The record, for tests.
    QStringList log;              // the payload of every well-formed request
    int badFrames = 0;            // frames ignored for a wrong checksum or a malformed payload
    int restarts = 0;
    int memorisations = 0;
    struct Enrolment {
        int user;
        QString access;
    };
    QList<Enrolment> enrolments;
    QList<int> keys;              // keypad codes received
    bool loggedIn() const { return loggedIn_; }
    bool booting() const { return clock_() < bootedAt_; }

private:
    struct Outgoing {
        qint64 due;
        QByteArray bytes;
    };
    void handleFrame(const QString& frame);
    std::optional<QByteArray> answer(const QString& payload);
    std::optional<QByteArray> readMemory(const QString& payload) const;
    std::optional<QByteArray> writeMemory(const QString& payload);
    QByteArray login(const QString& payload);
    std::optional<QByteArray> monitor(const QString& payload);
    std::optional<QByteArray> enrol(const QString& payload);
    QByteArray acknowledgement(const QString& code) const;
    QByteArray dataReply(const QString& code, const QString& data) const;
    bool faultsApply(const QString& code) const;
    QByteArray dress(const QString& code, const QByteArray& reply, const QByteArray& request) const;
    void send(const QByteArray& bytes, int delayMs);

    Clock clock_;
    PanelFaults faults_;
    QByteArray rx_;
    std::deque<Outgoing> tx_;
    bool loggedIn_ = false;
    qint64 bootedAt_ = 0;
    int faultedRequests_ = 0;
};
