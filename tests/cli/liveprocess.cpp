#include "liveprocess.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <csignal>

namespace {

constexpr int StartTimeoutMs = 5000;

} // namespace

QProcessEnvironment PrivateRuntimeEnvironment()
{
    static const QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return environment;
}

LiveProcess::LiveProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment)
{
    process_.setProcessEnvironment(environment);
    process_.start(QStringLiteral(QZV6_BIN_DIR "/") + program, arguments);
    process_.waitForStarted(StartTimeoutMs);
}

LiveProcess::~LiveProcess()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(StartTimeoutMs)) {
        process_.kill();
        process_.waitForFinished();
    }
}

qint64 LiveProcess::waitForOutput(const QByteArray& text, int timeoutMs, qsizetype from)
{
    return waitFor([this] { return output(); }, text, timeoutMs, from);
}

qint64 LiveProcess::waitForErrors(const QByteArray& text, int timeoutMs)
{
    return waitFor([this] { return errors(); }, text, timeoutMs, 0);
}

qint64 LiveProcess::waitFor(const std::function<QByteArray()>& received, const QByteArray& text, int timeoutMs,
                            qsizetype from)
{
    QElapsedTimer clock;
    clock.start();
    while (received().indexOf(text, from) < 0) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0 || process_.state() == QProcess::NotRunning)
            return -1;
        process_.waitForReadyRead(left);
    }
    return clock.elapsed();
}

QByteArray LiveProcess::output()
{
    output_ += process_.readAllStandardOutput();
    return output_;
}

QByteArray LiveProcess::errors()
{
    errors_ += process_.readAllStandardError();
    return errors_;
}

void LiveProcess::write(const QByteArray& line)
{
    process_.write(line);
    process_.waitForBytesWritten(StartTimeoutMs);
}

int LiveProcess::interrupt(int timeoutMs)
{
    ::kill(pid_t(process_.processId()), SIGINT);
    return waitForExit(timeoutMs);
}

int LiveProcess::waitForExit(int timeoutMs)
{
    if (!process_.waitForFinished(timeoutMs) && process_.state() != QProcess::NotRunning)
        return -1;
    output();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

LivePanel::LivePanel(const QStringList& arguments, const QProcessEnvironment& environment)
    : environment_(environment)
{
    process_ = std::make_unique<LiveProcess>(QStringLiteral("qzv6-panel-sim"),
                                             QStringList{"--commands"} + arguments, environment_);
    // The first line of its output is the pseudo-terminal's path.
    if (process_->waitForOutput("\n", StartTimeoutMs) >= 0)
        path_ = QString::fromLocal8Bit(process_->output()).section('\n', 0, 0).trimmed();
}
