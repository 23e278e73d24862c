#include "panelsimprocess.h"

#include <QCoreApplication>

namespace {

constexpr int startTimeoutMs = 5000;

} // namespace

PanelSimProcess::PanelSimProcess(const QStringList& arguments)
{
    static int started = 0;
    name_ = QStringLiteral("test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++started);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(QZV6_BIN_DIR "/qzv6-panel-sim"), QStringList{"--name", name_} + arguments);
    if (!process_.waitForStarted(startTimeoutMs))
        return;
    while (!process_.canReadLine() && process_.waitForReadyRead(startTimeoutMs)) {
    }
    ptyPath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

PanelSimProcess::~PanelSimProcess()
{
    stop();
}

bool PanelSimProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    process_.terminate();
    if (!process_.waitForFinished(startTimeoutMs)) {
        process_.kill();
        process_.waitForFinished();
        return false;
    }
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}
