#include "windowfixture.h"

#include "fulldisk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTableWidget>

namespace {

class WindowSafetyTest : public WindowTest {
protected:
    void SetUp() override { startShown(); }
};

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(WindowSafetyTest, SaveOnAFullDiskKeepsTheOldFileAndTheTitle)
{
    FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString target = disk.filePath("home.qzv");
    host.dialogAnswers = {target};
    press(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(host.messages.last(), "Сохранено успешно.");
    const QByteArray before = bytesOf(target);
    ASSERT_TRUE(disk.fillLeaving(0));
    window->store().setMemo({"после замены батареи"}); // under Qt's 16 KB buffer: refused only at the flush
    host.messages.clear();
    host.title = "QZV-6 Configurator - [other.qzv]";

    host.dialogAnswers = {target};
    QTest::mouseClick(control("PNGButton_Save"), Qt::LeftButton);

    EXPECT_EQ(host.messages, QStringList("Unable to write to " + target));
    EXPECT_EQ(host.title, "QZV-6 Configurator - [other.qzv]");
    EXPECT_EQ(bytesOf(target), before);
}

// Esc at the 30th block of a write: besides the stop itself, the window keeps
// a notice that the panel holds a mix and where the backup lies, until a write succeeds.
TEST_F(WindowSafetyTest, AWriteStoppedAtBlock30LeavesALastingNoticeNamingTheBackup)
{
    auto* notice = control<QLabel>("TransferNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    int writes = 0;
    host.onProcessEvents = [&] {
        writes = int(std::count_if(panel.log.begin(), panel.log.end(), [](const QString& p) { return p.startsWith("0002"); }));
        if (writes == 29)
            press(Qt::Key_Escape);
    };

    press(Qt::Key_W, Qt::ControlModifier);
    host.onProcessEvents = nullptr;

    const QStringList backups = QDir(binPath("backups")).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains("принял 30 из 95 блоков")) << notice->text().toStdString();
    EXPECT_TRUE(notice->text().contains(QDir::toNativeSeparators(QDir(binPath("backups")).filePath(backups.first())))) << notice->text().toStdString();
    EXPECT_FALSE(host.messages.contains("Записано успешно, ППК перезагружен."));

    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(host.messages.last(), "Записано успешно, ППК перезагружен.");
    EXPECT_TRUE(notice->text().contains("Запись проверена")) << notice->text().toStdString();
}

TEST_F(WindowSafetyTest, TheTickBoxesStartTickedAndAreRemembered)
{
    auto* backup = control<QCheckBox>("CheckBox_BackupBeforeWrite");
    auto* verify = control<QCheckBox>("CheckBox_VerifyAfterWrite");
    ASSERT_TRUE(backup && verify);
    EXPECT_TRUE(backup->isChecked());
    EXPECT_TRUE(verify->isChecked());
    QTest::mouseClick(backup, Qt::LeftButton, {}, QPoint(6, backup->height() / 2));
    EXPECT_FALSE(backup->isChecked());

    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(host.messages.last(), "Записано успешно, ППК перезагружен.");
    EXPECT_TRUE(QDir(binPath("backups")).entryList(QDir::Files).isEmpty());
    // No read before the first write request: no backup was taken; the read-back follows the restart.
    const auto firstWrite = std::find_if(panel.log.begin(), panel.log.end(), [](const QString& p) { return p.startsWith("0002"); });
    EXPECT_TRUE(std::none_of(panel.log.begin(), firstWrite, [](const QString& p) { return p.startsWith("0001"); }));
    EXPECT_TRUE(std::any_of(firstWrite, panel.log.end(), [](const QString& p) { return p.startsWith("0001"); }));

    window->close();
    start();
    EXPECT_FALSE(control<QCheckBox>("CheckBox_BackupBeforeWrite")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckBox_VerifyAfterWrite")->isChecked());
}

// The compare leaves the window's values alone and shows what differs in a
// dialog of its own; Ctrl+D does the same as the button.
TEST_F(WindowSafetyTest, CompareShowsTheDifferencesAndChangesNothing)
{
    press(Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(host.messages.last(), "Прочитано успешно.");
    QTest::mouseClick(control("Button_Compare"), Qt::LeftButton);
    EXPECT_EQ(host.messages.last(), "Настройки в окне и в ППК совпадают.");

    auto* zoneType = control<QComboBox>("EeAdr_TypeZone_03");
    zoneType->setCurrentIndex(zoneType->currentIndex() == 1 ? 2 : 1);
    const QString chosen = zoneType->currentText();
    press(Qt::Key_D, Qt::ControlModifier);

    auto* dialog = window->findChild<QDialog*>("PanelCompareDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    auto* table = dialog->findChild<QTableWidget*>("PanelCompareTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(table->item(0, 0)->text().startsWith("зона 3, ")) << table->item(0, 0)->text().toStdString();
    EXPECT_TRUE(table->item(0, 1)->text().contains(chosen)) << table->item(0, 1)->text().toStdString();
    EXPECT_EQ(zoneType->currentText(), chosen);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

} // namespace
