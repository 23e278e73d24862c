#include "qzv6process.h"

#include <QProcess>

namespace {

// A whole write at 115200 takes about 6 s; anything far beyond is a hang.
constexpr int RunLimitMs = 60000;

} // namespace

Qzv6Run RunQzv6(const QStringList& arguments, const QProcessEnvironment& environment, const QString& input)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(input.isEmpty() ? QProcess::nullDevice() : input);
    process.start(QStringLiteral(QZV6_BIN_DIR "/qzv6"), arguments);
    Qzv6Run run;
    if (!process.waitForFinished(RunLimitMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("qzv6 did not finish");
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    // On Windows the standard streams end their lines with CR LF.
    run.out = QString::fromUtf8(process.readAllStandardOutput()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    run.err = QString::fromUtf8(process.readAllStandardError()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return run;
}

QString FixturePath(const QString& relative)
{
    return QStringLiteral(QZV6_SOURCE_DIR "/tests/fixtures/") + relative;
}
