#include "transferfixture.h"

#include "files/configfile.h"
#include "link/frames.h"
#include "model/memorymap.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"
#include "transfer/panelcompare.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

const QString WriteSuccess = QStringLiteral("Записано успешно, ППК перезагружен.");
constexpr int RestartDelay = 1500;

// A panel that boots for 1.5 s after its restart, holding a configuration of
// its own; the window's store holds another one.
class SafeWrite : public TransferTest {
protected:
    SafeWrite()
    {
        fillWithVariety(old, 1);
        panel.memory = imageOf(old);
        panel.restartDelayMs = RestartDelay;
        link.inputs.password = old.text(QStringLiteral("EeAdr_PassInstalator"));
        fillWithVariety(store, 11);
        options.locale = locale;
        options.backup = true;
        options.backupFolder = QDir(root.path()).filePath(QStringLiteral("backups"));
        options.verify = true;
    }

    WriteOutcome write()
    {
        const WriteResult result = WriteConfiguration(link, store, options);
        notice = result.notice.value_or(QStringLiteral("(none)"));
        return result.outcome;
    }

    QStringList backups() const { return QDir(options.backupFolder).entryList(QDir::Files); }

    // Requests whose payload starts so, by their place in the panel's log.
    QList<int> requestsAt(const QString& prefix) const
    {
        QList<int> at;
        for (int i = 0; i < panel.log.size(); ++i)
            if (panel.log[i].startsWith(prefix))
                at << i;
        return at;
    }

    QTemporaryDir root;
    SettingsStore old;
    WriteOptions options;
    QString notice; // of the last write; "(none)" when it left none
};

TEST_F(SafeWrite, BacksUpThenWritesThenWaitsForTheBootAndVerifies)
{
    const QByteArray before = panel.memory;
    ASSERT_EQ(write(), WriteOutcome::Written);

    // Every read of the backup before the first write request; after the restart, the read-back.
    const QList<int> writes = requestsAt(QStringLiteral("0002"));
    const QList<int> reads = requestsAt(QStringLiteral("0001"));
    const int restart = int(panel.log.indexOf(QStringLiteral("0008")));
    ASSERT_EQ(writes.size(), 95);
    EXPECT_EQ(std::count_if(reads.begin(), reads.end(), [&](int at) { return at < writes.first(); }), 96);
    EXPECT_EQ(std::count_if(reads.begin(), reads.end(), [&](int at) { return at > restart; }), 96);

    EXPECT_EQ(host.messages, QStringList{WriteSuccess});
    EXPECT_EQ(mappedDifferences(panel.memory, imageOf(store)), QStringList());
    ASSERT_EQ(backups().size(), 1);
    const QString backup = QDir(options.backupFolder).filePath(backups().first());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d{6}_COM3\\.qzv$"))
                    .match(backups().first())
                    .hasMatch())
        << backups().first().toStdString();
    EXPECT_TRUE(notice.contains(QStringLiteral("Запись проверена"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(backup))) << notice.toStdString();

    // The backup, codes and all, is what the panel held before.
    SettingsStore backedUp;
    LoadConfigFile(ConfigFile(backup, ConfigFile::Mode::Load), backedUp);
    SettingsStore readBefore;
    panel.memory = before;
    ASSERT_TRUE(ReadConfiguration(link, readBefore, {false, locale}));
    EXPECT_EQ(panelDifferences(backedUp, readBefore), QStringList());
    // 0600 and 0700: nobody but the owner may read the codes. Windows has no such modes.
    if (QSysInfo::productType() == QLatin1String("windows"))
        return;
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                         | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                         | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(backup).permissions() & ownerOnly, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(QFileInfo(options.backupFolder).permissions() & ownerOnly,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A write request acknowledged but not stored: the read-back names exactly the
// values of that block which were to change.
TEST_F(SafeWrite, ReadBackNamesTheValuesOfADroppedBlock)
{
    const MemoryBlock& dropped = *std::find_if(DeviceMemoryMap().begin(), DeviceMemoryMap().end(),
                                               [](const MemoryBlock& b) { return b.address == 0x0004; });
    QStringList expected;
    for (const BlockField& field : dropped.fields)
        if (!field.setting.isEmpty() && old.flag(field.setting) != store.flag(field.setting))
            expected << field.setting;
    ASSERT_FALSE(expected.isEmpty());
    PanelFaults faults;
    faults.dropWriteAt = dropped.address;
    panel.setFaults(faults);

    EXPECT_EQ(write(), WriteOutcome::Differs);

    ASSERT_EQ(host.messages.size(), 1);
    QStringList named;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("\\((\\w+)\\): записано")).globalMatch(host.messages.first()))
        named << m.captured(1);
    EXPECT_EQ(named, expected);
    EXPECT_EQ(notice, host.messages.first());
    EXPECT_TRUE(host.messages.first().contains(QDir::toNativeSeparators(options.backupFolder)));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SafeWrite, NothingIsWrittenWithoutTheBackup)
{
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString message; // a part of it
    } cases[] = {
        {"backup file beyond a plain file",
         [this] {
             QFile plain(root.filePath(QStringLiteral("plain")));
             ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
             options.backupFile = root.filePath(QStringLiteral("plain/backup.qzv"));
         },
         QStringLiteral("в ППК ничего не записано")},
        {"panel falls silent during the backup's read",
         [this] {
             PanelFaults faults;
             faults.stopAfter = 4 + 20;
             panel.setFaults(faults);
         },
         PanelLink::LinkFailureText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost();
        panel.log.clear();
        options.backupFile.clear();
        const QByteArray before = panel.memory;
        c.arrange();

        EXPECT_EQ(write(), WriteOutcome::NotWritten);

        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages.first().contains(c.message)) << host.messages.first().toStdString();
        EXPECT_EQ(requestsAt(QStringLiteral("0002")), QList<int>());
        EXPECT_EQ(panel.memory, before);
        EXPECT_EQ(notice, QStringLiteral("(none)"));
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(host.progressVisible);
    }
}

TEST_F(SafeWrite, CutShortAtBlock30TheNoticeNamesTheBackup)
{
    host.onProcessEvents = [this] {
        if (requestsAt(QStringLiteral("0002")).size() == 29)
            link.CancelRequested = true;
    };
    EXPECT_EQ(write(), WriteOutcome::NotWritten);
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(notice.contains(QStringLiteral("принял 30 из 95 блоков"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(QDir(options.backupFolder).filePath(backups().first()))))
        << notice.toStdString();
    EXPECT_EQ(panel.restarts, 0);
}

TEST_F(SafeWrite, APanelThatDoesNotComeBackLeavesTheWriteUnverified)
{
    panel.restartDelayMs = 60000;
    const qint64 start = host.clock;

    EXPECT_EQ(write(), WriteOutcome::NotWritten);

    EXPECT_EQ(host.messages, QStringList{QStringLiteral("ППК не ответил в течение 10 с после перезагрузки: запись не проверена.")});
    EXPECT_TRUE(notice.contains(QStringLiteral("запись не проверена"))) << notice.toStdString();
    EXPECT_FALSE(host.sounds.isEmpty());
    // Quiet tries only: no link failure box while it boots, and no longer than the wait allows.
    EXPECT_FALSE(host.messages.contains(PanelLink::LinkFailureText));
    EXPECT_LT(host.clock - start, 60000);
    EXPECT_FALSE(port.isOpen());
}

class CompareWithPanel : public TransferTest {
protected:
    std::optional<std::vector<PanelDifference>> compare() { return ComparePanel(link, store, locale); }
};

TEST_F(CompareWithPanel, EqualOneDifferenceAndLinkFailure)
{
    ASSERT_TRUE(ReadConfiguration(link, store, {false, locale}));
    host = FakeHost();
    const auto equal = compare();
    ASSERT_TRUE(equal);
    EXPECT_TRUE(equal->empty());
    EXPECT_EQ(host.messages, QStringList());

    store.setChoice(QStringLiteral("EeAdr_TypeZone_03"), 1);
    store.setMemo({QStringLiteral("not in the panel")});
    const QStringList before = everyValue(store);
    const auto one = compare();
    ASSERT_TRUE(one);
    ASSERT_EQ(one->size(), 1u);
    EXPECT_EQ(one->front().name, QStringLiteral("EeAdr_TypeZone_03"));
    EXPECT_TRUE(one->front().label.startsWith(QStringLiteral("зона 3, "))) << one->front().label.toStdString();
    EXPECT_NE(one->front().ours, one->front().panel);
    EXPECT_EQ(everyValue(store), before);
    EXPECT_EQ(std::count_if(panel.log.begin(), panel.log.end(), [](const QString& p) { return p.startsWith("0002"); }), 0);

    PanelFaults faults;
    faults.stopAfter = 4 + 10;
    panel.setFaults(faults);
    EXPECT_FALSE(compare());
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_EQ(everyValue(store), before);
}

} // namespace
