#pragma once

// What the benchmarks share: a host that shows nothing and waits for real, the
// virtual panel started as a child process, how long the event loop was held,
// and the median of a run of figures.
#include "link/host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

// Answers every question with Yes, keeps the messages and waits as the console's
// host does: a local event loop on a precise timer.
class BenchHost : public Host {
public:
    void message(const QString& text) override { messages << text; }
    bool confirm(const QString&) override { return true; }
    void sound(Sound) override {}
    void tone(int, int) override {}
    void processEvents() override { QCoreApplication::processEvents(); }
    void wait(int ms) override
    {
        QEventLoop loop;
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    qint64 now() const override { return clock_.elapsed(); }
    void showPage(const QString&) override {}
    void setTitle(const QString&) override {}
    void setControlText(const QString&, const QString&) override {}
    QString askSaveFile(const FileDialogRequest&) override { return {}; }
    QString askOpenFile(const FileDialogRequest&) override { return {}; }
    void progressUpdate(int, int) override {}
    void progressBarColor(quint32) override {}
    void progressShow() override {}
    void progressClose() override {}

    QStringList messages;

private:
    QElapsedTimer clock_ = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
};

// qzv6-panel-sim in a runtime folder of its own, so its announcement never meets
// a panel the installer runs; stopped when it goes out of scope.
class PanelSimProcess {
public:
    explicit PanelSimProcess(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(QZV6_BIN_DIR "/qzv6-panel-sim"), arguments);
        while (process_.state() != QProcess::NotRunning && !process_.canReadLine())
            process_.waitForReadyRead(10000);
        // The panel prints its pseudo-terminal's path as its first line.
        pty_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        if (!QFileInfo::exists(pty_)) {
            std::fprintf(stderr, "qzv6-panel-sim did not start\n");
            pty_.clear();
        }
    }
    ~PanelSimProcess()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }

    // Empty when the panel did not start.
    const QString& pty() const { return pty_; }
    QProcess& process() { return process_; }

private:
    QTemporaryDir runtime_;
    QProcess process_;
    QString pty_;
};

// The longest interval between two ticks of a 1 ms timer: how long the event loop was held.
class LoopGapMeter {
public:
    LoopGapMeter()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longestNs_ = std::max(longestNs_, now - lastNs_);
            lastNs_ = now;
        });
    }
    void start()
    {
        clock_.start();
        lastNs_ = 0;
        longestNs_ = 0;
        timer_.start(1);
    }
    double longestMs() const { return double(longestNs_) / 1e6; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastNs_ = 0;
    qint64 longestNs_ = 0;
};

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
