#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

// How an exchange judged the text it read.
enum class TraceVerdict { Accepted, Checksum, WrongEcho, Nothing };

// The verdict of a cleaned reply that the exchange accepted or not: an empty
// reply is nothing, a bad sum is the checksum, anything else a wrong echo.
TraceVerdict VerdictOf(const QString& cleanedReply, bool accepted);

// What went over the wire, the last Capacity lines of it: every frame written,
// every text read with the verdict of its exchange, and the port opened and
// closed, each with its time in ms from the trace's start. Secrets never enter
// it: the login's password and the memory that holds the password, the user
// codes and the keys are masked.
class ProtocolTrace {
public:
    static constexpr int Capacity = 5000;
    using Clock = std::function<qint64()>;

    explicit ProtocolTrace(Clock clock);

    void sent(const QByteArray& data);
    void received(const QByteArray& data);
    // Completes the line of the last text read.
    void judge(TraceVerdict verdict);
    void note(const QString& text);

    QStringList lines() const;
    int size() const { return int(lines_.size()); }

    // The lines with a heading, as the saved file holds them.
    QString text() const;
    // Written whole or not at all; the reason when it cannot be written.
    std::optional<QString> saveTo(const QString& path) const;

private:
    void add(QString line);

    Clock clock_;
    qint64 start_;
    std::deque<QString> lines_;
    QString lastRequest_;
    bool awaitingVerdict_ = false;
};
