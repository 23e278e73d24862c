#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A program of bin/ that keeps running while the test reads its output as it
// comes and writes to its input; killed at the end if still running.
class LiveProcess {
public:
    LiveProcess(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment);
    ~LiveProcess();

    // Waits until text appears in the standard output after byte `from`; the
    // milliseconds it took, or -1 after timeoutMs.
    qint64 waitForOutput(const QByteArray& text, int timeoutMs, qsizetype from = 0);
    // The same for the standard error.
    qint64 waitForErrors(const QByteArray& text, int timeoutMs);
    QByteArray output();
    QByteArray errors();
    void write(const QByteArray& line);
    // SIGINT, as Ctrl+C sends; the exit status, or -1 when it does not end normally in time.
    int interrupt(int timeoutMs);
    // The exit status once it has ended by itself, or -1.
    int waitForExit(int timeoutMs);

private:
    qint64 waitFor(const std::function<QByteArray()>& received, const QByteArray& text, int timeoutMs,
                   qsizetype from);

    QProcess process_;
    QByteArray output_;
    QByteArray errors_;
};

// The process environment with a runtime folder of the test's own, so the
// panels it starts are announced there and nowhere else.
QProcessEnvironment PrivateRuntimeEnvironment();

// bin/qzv6-panel-sim taking zone commands on its standard input.
class LivePanel {
public:
    explicit LivePanel(const QStringList& arguments = {},
                       const QProcessEnvironment& environment = PrivateRuntimeEnvironment());

    QString path() const { return path_; } // empty when the panel did not start
    const QProcessEnvironment& environment() const { return environment_; }
    void command(const QByteArray& line) { process_->write(line + '\n'); }
    QByteArray errors() { return process_->errors(); }

private:
    QProcessEnvironment environment_;
    std::unique_ptr<LiveProcess> process_;
    QString path_;
};
