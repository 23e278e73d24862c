#include "fulldisk.h"
#include "qzv6process.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// bin/qzv6-panel-sim on a pseudo-terminal, announced in a runtime folder of its own.
class PanelSimulator {
public:
    explicit PanelSimulator(const QStringList& arguments = {})
    {
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        // Backups of the writes go here, not among the user's own.
        environment_.insert(QStringLiteral("XDG_DATA_HOME"), runtime_.filePath(QStringLiteral("data")));
        process_.setProcessEnvironment(environment_);
        process_.start(QStringLiteral(QZV6_BIN_DIR "/qzv6-panel-sim"), arguments);
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
    QString backupFolder() const { return runtime_.filePath(QStringLiteral("data/QZV-6 Configurator/backups")); }
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

// The write's default: a backup first, a read-back after. A block the panel
// acknowledges without storing it makes the read-back differ: status 3, and
// each value of that block that was to change is named.
TEST(Qzv6EndToEnd, WriteBacksUpAndTellsAReadBackThatDiffers)
{
    PanelSimulator panel({"--drop-write", "0004"});
    const QString site = FixturePath("cli/site.qzv");

    const Qzv6Run write = RunQzv6({"write", "--port", panel.path(), "--yes", site}, panel.environment());

    EXPECT_EQ(write.status, 3) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("ППК перезагружен, но хранит не то, что было записано")) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("(_eee_OkResAnyCHSts): записано 1, прочитано 0")) << write.err.toStdString();
    EXPECT_EQ(write.err.count(": записано "), 1) << write.err.toStdString();
    const QStringList backups = QDir(panel.backupFolder()).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1) << write.err.toStdString();
    const QString backup = QDir(panel.backupFolder()).filePath(backups.first());
    EXPECT_TRUE(write.err.contains(backup)) << write.err.toStdString();
    EXPECT_EQ(QFileInfo(backup).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
    EXPECT_EQ(QFileInfo(panel.backupFolder()).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther), 0);
    // The backup holds the factory configuration the panel had, with its user codes.
    const Qzv6Run dump = RunQzv6({"dump", backup});
    EXPECT_TRUE(dump.out.contains("\nEeAdr_PassInstalator=90817\n")) << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains("\nSG.Text 1,1=1104123400000000\n")) << dump.out.toStdString();
}

// A panel that falls silent at the 30th block: besides the link's message, a
// line says what the panel holds and names the backup to recover from.
TEST(Qzv6EndToEnd, AWriteCutShortSaysWhatThePanelHoldsAndWhereTheBackupIs)
{
    // The login, the backup's 96 reads, then 29 blocks.
    PanelSimulator panel({"--stop-after", QString::number(4 + 96 + 29)});

    const Qzv6Run write = RunQzv6({"write", "--port", panel.path(), "--yes", FixturePath("cli/site.qzv")},
                                  panel.environment());

    EXPECT_EQ(write.status, 1);
    EXPECT_TRUE(write.err.contains("Не вышло связаться с ЦП")) << write.err.toStdString();
    EXPECT_TRUE(write.err.contains("принял 29 из 95 блоков")) << write.err.toStdString();
    const QStringList backups = QDir(panel.backupFolder()).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(write.err.contains(QDir(panel.backupFolder()).filePath(backups.first()))) << write.err.toStdString();
    EXPECT_FALSE(write.err.contains("Записано успешно")) << write.err.toStdString();
}

// Equal, one difference, a panel that does not answer: three statuses.
TEST(Qzv6EndToEnd, CompareTellsEqualDifferentAndLinkFailureApart)
{
    PanelSimulator panel;
    QTemporaryDir dir;
    const QString saved = dir.filePath("panel.qzv");
    const Qzv6Run read = RunQzv6({"read", "--port", panel.path(), "--out", saved}, panel.environment());
    ASSERT_EQ(read.status, 0) << read.err.toStdString();

    const Qzv6Run equal = RunQzv6({"compare", "--port", panel.path(), saved}, panel.environment());
    EXPECT_EQ(equal.status, 0) << equal.err.toStdString();
    EXPECT_EQ(equal.out, QString());

    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    const qsizetype keypad = bytes.indexOf("[EeAdr_TypeKeybord]\r\nItemIndex=");
    ASSERT_GE(keypad, 0);
    const qsizetype digit = keypad + qsizetype(qstrlen("[EeAdr_TypeKeybord]\r\nItemIndex="));
    bytes[digit] = bytes[digit] == '2' ? '3' : '2';
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    const Qzv6Run different = RunQzv6({"compare", "--port", panel.path(), saved}, panel.environment());
    EXPECT_EQ(different.status, 3) << different.err.toStdString();
    EXPECT_EQ(different.out.count('\n'), 1) << different.out.toStdString();
    EXPECT_TRUE(different.out.startsWith("EeAdr_TypeKeybord: ")) << different.out.toStdString();

    PanelSimulator silent({"--silent"});
    const Qzv6Run failed = RunQzv6({"compare", "--port", silent.path(), saved}, silent.environment());
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.contains("Не вышло связаться с ЦП")) << failed.err.toStdString();
}

// The save after a read meets a really full disk: the file that was there
// stays byte for byte, the path is named and the status is not success.
TEST(Qzv6EndToEnd, ReadOntoAFullDiskKeepsTheOldFile)
{
    FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    PanelSimulator panel;
    const QString out = disk.filePath("site.qzv");
    QFile::copy(FixturePath("cli/site.qzv"), out);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    ASSERT_TRUE(disk.fillLeaving(4096));

    const Qzv6Run read = RunQzv6({"read", "--port", panel.path(), "--out", out}, panel.environment());

    EXPECT_EQ(read.status, 1);
    EXPECT_TRUE(read.err.contains("Unable to write to " + out)) << read.err.toStdString();
    EXPECT_FALSE(read.err.contains("Сохранено успешно.")) << read.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace
