#include "livewindowfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTableWidget>

namespace {

// With QZV6_SCREENSHOTS set, what the window shows is also saved there as a picture.
class LiveSafetyTest : public LiveWindowTest {
protected:
    QString backupFolder() const { return QDir(folder.path()).filePath("backups"); }

    static void picture(QWidget* widget, const QString& name)
    {
        const QString folder = qEnvironmentVariable("QZV6_SCREENSHOTS");
        if (!folder.isEmpty())
            widget->grab().save(QDir(folder).filePath(name));
    }
};

// Esc while the 29th block is under way: the stop is told as ever, and the
// window keeps a line that the panel holds a mix, is not restarted, and where
// the backup is, until a write goes through.
TEST_F(LiveSafetyTest, AWriteStoppedAtBlock30LeavesALastingNoticeNamingTheBackup)
{
    auto* notice = control<QLabel>("TransferNotice");
    ASSERT_NE(notice, nullptr);
    EXPECT_FALSE(notice->isVisible());
    host.onWait = [this] {
        if (requests("p0002") == 29 && !window->link().CancelRequested)
            press(Qt::Key_Escape);
    };

    QTest::mouseClick(control("ButtonWrite"), Qt::LeftButton);
    host.onWait = nullptr;

    const QStringList backups = QDir(backupFolder()).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(panel.restarts, 0);
    EXPECT_EQ(boxes.seen, QStringList({"confirm:Вы уверены что хотите записать?", "message:Зупинено користувачем!"}));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains("принял 29 из 95 блоков")) << notice->text().toStdString();
    EXPECT_TRUE(notice->text().contains("не перезагружен")) << notice->text().toStdString();
    EXPECT_TRUE(notice->text().contains(QDir(backupFolder()).filePath(backups.first())))
        << notice->text().toStdString();
    picture(window.get(), "Write_stopped_notice.png");

    press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(boxes.seen.last(), "message:Записано успешно, ППК перезагружен.");
    EXPECT_TRUE(notice->text().startsWith("Запись проверена")) << notice->text().toStdString();
}

// Ctrl+D and the button read the panel without touching the window: equal is
// said in a message box, a difference is shown in a table of its own.
TEST_F(LiveSafetyTest, CompareSaysEqualOrShowsTheDifferencesAndChangesNothing)
{
    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);
    ASSERT_EQ(boxes.seen.last(), "message:Прочитано успешно.");
    press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(boxes.seen.last(), "message:Настройки в окне и в ППК совпадают.");

    auto* zoneType = control<QComboBox>("EeAdr_TypeZone_03");
    zoneType->setCurrentIndex(zoneType->currentIndex() == 1 ? 2 : 1);
    const QString chosen = zoneType->currentText();
    const int writesBefore = requests("p0002");
    QTest::mouseClick(control("Button_Compare"), Qt::LeftButton);

    QDialog* dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (dialog = window->findChild<QDialog*>("PanelCompareDialog")) != nullptr; }));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);
    auto* table = dialog->findChild<QTableWidget*>("PanelCompareTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_TRUE(table->item(0, 0)->text().startsWith("зона 3, ")) << table->item(0, 0)->text().toStdString();
    EXPECT_TRUE(table->item(0, 1)->text().contains(chosen)) << table->item(0, 1)->text().toStdString();
    EXPECT_EQ(zoneType->currentText(), chosen);
    EXPECT_EQ(requests("p0002"), writesBefore);
    picture(dialog, "Compare_dialog.png");
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChild<QDialog*>("PanelCompareDialog") == nullptr; }));
}

} // namespace
