#include "files/fileoperations.h"

#include "fakehost.h"
#include "filetesting.h"
#include "fulldisk.h"
#include "model/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

using filetesting::Fixture;
using filetesting::ReadBytes;

namespace {

const QString Saved = "Сохранено успешно.";
const QString Opened = "Открыто успешно.";
const QString NoStartFile =
    "Внимание! Не найден изначальный файл [1_Start], который должен находится в папке с .ехе файлом!";
const QStringList Filters = {"Settings.qzv (*.qzv)", "Settings.ini (*.ini)"};

// The executable's folder and the working directory, kept apart.
class FileOperationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("bin"));
        ASSERT_TRUE(QDir(root.path()).mkpath("work"));
        folders = {root.filePath("bin"), root.filePath("work")};
    }

    QString inBin(const QString& name) const { return QDir(folders.executable).filePath(name); }
    QString inWork(const QString& name) const { return QDir(folders.working).filePath(name); }

    // A start file whose keypad type tells which one was loaded.
    void startFile(const QString& path, int keypad)
    {
        filetesting::WriteBytes(path, QStringLiteral("[EeAdr_TypeKeybord]\r\nItemIndex=%1\r\n").arg(keypad).toLatin1());
    }

    QTemporaryDir root;
    FileFolders folders;
    SettingsStore store;
    FakeHost host;
};

TEST_F(FileOperationsTest, SaveAsksWithItsDialogThenWritesTitlesAndReports)
{
    const QString file = inWork("home.qzv");
    host.dialogAnswers = {file};
    store.setChoice("EeAdr_TypeKeybord", 4);
    PNGButton_SaveClick(store, host, folders);

    ASSERT_EQ(host.dialogs.size(), 1);
    const FileDialogRequest& asked = host.dialogs[0];
    EXPECT_EQ(asked.title, "Збереження конфігурації");
    EXPECT_EQ(asked.folder, folders.working);
    EXPECT_EQ(asked.filters, Filters);
    EXPECT_EQ(asked.defaultSuffix, "qzv");
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_EQ(host.calls, QStringList({"save-dialog:Збереження конфігурації",
                                       "title:QZV-6 Configurator - [home.qzv]", "message:" + Saved}));
    EXPECT_TRUE(ReadBytes(file).contains("[EeAdr_TypeKeybord]\r\nItemIndex=4\r\n"));
}

TEST_F(FileOperationsTest, OpenAsksWithItsDialogThenLoadsTitlesAndReports)
{
    host.dialogAnswers = {Fixture("no_about.qzv")};
    PNGButton_OpenClick(store, host, folders);

    ASSERT_EQ(host.dialogs.size(), 1);
    const FileDialogRequest& asked = host.dialogs[0];
    EXPECT_EQ(asked.title, "Відкривання конфігурації");
    EXPECT_EQ(asked.folder, folders.executable);
    EXPECT_EQ(asked.filters, Filters);
    EXPECT_EQ(asked.defaultSuffix, "");
    EXPECT_FALSE(asked.confirmOverwrite);
    EXPECT_EQ(host.calls, QStringList({"open-dialog:Відкривання конфігурації",
                                       "title:QZV-6 Configurator - [no_about.qzv]", "message:" + Opened}));
    EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), 3);
}

struct ForeignCase {
    const char* name;
    QByteArray bytes; // nothing: no file at all
};

// A file without a single section of a configuration would replace every Setting
// with its file default, passwords and users emptied: it is refused and nothing changes.
TEST_F(FileOperationsTest, AFileWithoutAConfigurationIsRefusedAndChangesNothing)
{
    const QString text = QStringLiteral("[EeAdr_TypeKeybord]\r\nItemIndex=5\r\n");
    const ForeignCase cases[] = {
        {"missing", {}},
        {"empty", ""},
        {"plain text", "shopping list\r\nmilk=2\r\n"},
        {"other program's sections", "[Other Program]\r\nk=v\r\n[Trailer]\r\n"},
        // UTF-16 without its mark reads as Windows-1251 characters with NULs between them.
        {"UTF-16 without a mark", QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text))},
    };
    for (const ForeignCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = inWork(QStringLiteral("%1.qzv").arg(QLatin1String(c.name)));
        if (!c.bytes.isNull())
            filetesting::WriteBytes(file, c.bytes);
        store.setChoice("EeAdr_TimeOut220V", 5);
        store.setCell(1, 1, "1234");
        host.title = "before";
        host.messages.clear();
        host.dialogAnswers = {file};
        PNGButton_OpenClick(store, host, folders);
        EXPECT_EQ(host.messages, QStringList(QStringLiteral("В файле «%1» нет конфигурации QZV-6.\r\n"
                                                            "Настройки в окне не изменены.")
                                                 .arg(QFileInfo(file).fileName())));
        EXPECT_EQ(host.title, "before");
        EXPECT_EQ(store.choice("EeAdr_TimeOut220V"), 5);
        EXPECT_EQ(store.cell(1, 1), "1234");
    }
    EXPECT_FALSE(QFile::exists(inWork("missing.qzv")));
}

TEST_F(FileOperationsTest, AStartFileWithoutAConfigurationIsRefusedToo)
{
    filetesting::WriteBytes(inBin("1_Start.qzv"), "shopping list\r\n");
    store.setChoice("EeAdr_TimeOut220V", 5);
    OpenStartFile(store, host, folders, true);
    EXPECT_EQ(host.messages, QStringList("В файле «1_Start.qzv» нет конфигурации QZV-6.\r\n"
                                         "Настройки в окне не изменены."));
    EXPECT_TRUE(host.title.isEmpty());
    EXPECT_EQ(store.choice("EeAdr_TimeOut220V"), 5);
}

TEST_F(FileOperationsTest, AFileWithAByteOrderMarkIsReadWhole)
{
    const QString text = QStringLiteral("[EeAdr_TypeKeybord]\r\nItemIndex=5\r\n[About]\r\nLines Count=1\r\nAbout0=Объект\r\n");
    const QByteArray marked[] = {
        "\xEF\xBB\xBF" + text.toUtf8(),
        "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text)),
    };
    for (const QByteArray& bytes : marked) {
        SCOPED_TRACE(bytes.left(3).toHex().toStdString());
        const QString file = inWork("marked.qzv");
        filetesting::WriteBytes(file, bytes);
        store.setChoice("EeAdr_TypeKeybord", 0);
        host.dialogAnswers = {file};
        PNGButton_OpenClick(store, host, folders);
        EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), 5); // the first section, right after the mark
        EXPECT_EQ(store.memo(), QStringList{"Объект"});
        EXPECT_EQ(host.messages.last(), Opened);
    }
}

TEST_F(FileOperationsTest, CancelledDialogsChangeNothing)
{
    store.setFlag("CkeckSavePess", false);
    store.setCell(1, 1, "1234");
    store.setChoice("EeAdr_TypeKeybord", 5);
    PNGButton_SaveClick(store, host, folders);
    PNGButton_OpenClick(store, host, folders);
    EXPECT_EQ(host.dialogs.size(), 2);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(host.title.isEmpty());
    EXPECT_EQ(store.cell(1, 1), "1234");
    EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), 5);
    EXPECT_TRUE(QDir(folders.working).isEmpty());
    EXPECT_TRUE(QDir(folders.executable).isEmpty());
}

TEST_F(FileOperationsTest, AFailedSaveReportsThePathAndLosesNothing)
{
    filetesting::WriteBytes(inWork("plain file"), "not a folder");
    // A name this long leaves no room for the temporary file beside it, even for root.
    const QString longName = QString(250, 'n') + ".qzv";
    filetesting::WriteBytes(inWork(longName), "[Keep]\r\nMe=1\r\n");
    const QString targets[] = {inWork("missing/home.qzv"), inWork("plain file/home.qzv"), inWork(longName)};
    for (const QString& target : targets) {
        SCOPED_TRACE(filetesting::Str(target));
        const QByteArray before = ReadBytes(target);
        const QStringList entries = QDir(folders.working).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        host = FakeHost();
        host.dialogAnswers = {target};
        store.setFlag("CkeckSavePess", false);
        store.setCell(3, 1, "5678");

        PNGButton_SaveClick(store, host, folders);

        EXPECT_EQ(host.messages, QStringList("Unable to write to " + QDir::toNativeSeparators(target)));
        EXPECT_TRUE(host.title.isEmpty());
        EXPECT_EQ(ReadBytes(target), before);
        EXPECT_EQ(QDir(folders.working).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        EXPECT_EQ(store.cell(3, 1), "5678");
    }
}

// A real filesystem with no room left (or one page): the error comes from the
// last flush only, and the file that was there must survive it byte for byte.
TEST_F(FileOperationsTest, ASaveOnAFullDiskKeepsTheOldFileAndClaimsNothing)
{
    for (const qint64 free : {qint64(0), qint64(4096)}) {
        SCOPED_TRACE(free);
        FullDisk disk;
        if (!disk.mounted())
            GTEST_SKIP() << disk.skipReason().toStdString();
        const QString target = disk.filePath("home.qzv");
        host = FakeHost();
        host.dialogAnswers = {target};
        PNGButton_SaveClick(store, host, folders);
        ASSERT_EQ(host.messages, QStringList(Saved));
        const QByteArray before = ReadBytes(target);
        ASSERT_GT(before.size(), 8192);
        ASSERT_LT(before.size(), 16384);
        ASSERT_TRUE(disk.fillLeaving(free));

        host = FakeHost();
        host.dialogAnswers = {target};
        // Under Qt's 16 KB buffer, so the disk's refusal comes only with the last flush.
        store.setMemo({QStringLiteral("после замены батареи")});
        PNGButton_SaveClick(store, host, folders);

        EXPECT_EQ(host.messages, QStringList("Unable to write to " + QDir::toNativeSeparators(target)));
        EXPECT_TRUE(host.title.isEmpty());
        EXPECT_EQ(ReadBytes(target), before);
        store.setMemo({});
    }
}

struct StartCase {
    const char* name;
    QStringList inBin;    // start files beside the executable
    QStringList inWork;   // start files in the working directory only
    int keypad;           // what the loaded file sets; -1 for nothing loaded
    QString title;
    QString announced;    // the message on F5
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}

class StartFileTest : public FileOperationsTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartFileTest, LooksBesideTheExecutableOnlyPreferringQzv)
{
    const StartCase& c = GetParam();
    for (const QString& name : c.inBin)
        startFile(inBin(name), name.endsWith("qzv") ? 1 : 2);
    for (const QString& name : c.inWork)
        startFile(inWork(name), 3);
    for (const bool announce : {false, true}) {
        SCOPED_TRACE(announce ? "F5" : "start-up");
        host = FakeHost();
        store.setChoice("EeAdr_TypeKeybord", 7);
        OpenStartFile(store, host, folders, announce);
        EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), c.keypad < 0 ? 7 : c.keypad);
        EXPECT_EQ(host.title, c.title);
        const bool warned = c.keypad < 0;
        EXPECT_EQ(host.messages, warned ? QStringList(NoStartFile)
                                        : announce ? QStringList(c.announced) : QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(
    StartFiles, StartFileTest,
    ::testing::Values(
        StartCase{"Both", {"1_Start.qzv", "1_Start.ini"}, {}, 1, "QZV-6 Configurator - [1_Start.qzv]",
                  "Открыт изначальный файл [1_Start.qzv]!"},
        StartCase{"OnlyIni", {"1_Start.ini"}, {}, 2, "QZV-6 Configurator - [1_Start.ini]",
                  "Открыт изначальный файл [1_Start.ini]!"},
        StartCase{"None", {}, {}, -1, "", ""},
        StartCase{"OnlyInWorkingDirectory", {}, {"1_Start.qzv", "1_Start.ini"}, -1, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileOperationsTest, AFolderNamedLikeTheStartFileIsNotIt)
{
    ASSERT_TRUE(QDir(folders.executable).mkdir("1_Start.qzv"));
    startFile(inBin("1_Start.ini"), 2);
    OpenStartFile(store, host, folders, true);
    EXPECT_EQ(store.choice("EeAdr_TypeKeybord"), 2);
    EXPECT_EQ(host.title, "QZV-6 Configurator - [1_Start.ini]");
}

} // namespace
