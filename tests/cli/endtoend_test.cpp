#include "qzv6process.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// bin/qzv6-panel-sim on a pseudo-terminal, announced in a runtime folder of its own.
class PanelSimulator {
public:
    PanelSimulator()
    {
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process_.setProcessEnvironment(environment_);
        process_.start(QStringLiteral(QZV6_BIN_DIR "/qzv6-panel-sim"), {});
        // The first line of its output is the pseudo-terminal's path.
        while (process_.state() != QProcess::NotRunning && !process_.canReadLine())
            process_.waitForReadyRead(10000);
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~PanelSimulator()
    {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
    }
    QString path() const { return path_; }
    const QProcessEnvironment& environment() const { return environment_; }

private:
    QTemporaryDir runtime_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    QProcess process_;
    QString path_;
};

TEST(Qzv6EndToEnd, WriteAFileThenReadItBackUnchanged)
{
    PanelSimulator panel;
    ASSERT_TRUE(panel.path().startsWith("/dev/")) << panel.path().toStdString();
    const QString site = FixturePath("cli/site.qzv");
    QTemporaryDir dir;
    const QString readBack = dir.filePath("read-back.qzv");

    const Qzv6Run write = RunQzv6({"write", "--port", panel.path(), "--yes", site}, panel.environment());
    ASSERT_EQ(write.status, 0) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("Записано успешно, ППК перезагружен."));

    // The file changed the installer password, which is the login's from now on;
    // --from brings the file-only Settings along.
    const Qzv6Run read = RunQzv6(
        {"read", "--port", panel.path(), "--password", "1234", "--from", site, "--out", readBack},
        panel.environment());
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains("Прочитано успешно."));

    const Qzv6Run diff = RunQzv6({"diff", site, readBack});
    EXPECT_EQ(diff.status, 0);
    EXPECT_EQ(diff.out, QString());
}

} // namespace
