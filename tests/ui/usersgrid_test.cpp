#include "model/settingsstore.h"
#include "service/keyenrolment.h"
#include "ui/enrolmentpanel.h"
#include "ui/usersgrid.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

class UsersGridTest : public testing::Test {
protected:
    UsersGridTest()
    {
        grid.resize(400, 300);
        grid.show();
    }

    // A mouse click on the cell of user row and grid column.
    void click(int row, int column)
    {
        grid.scrollToItem(grid.item(row - 1, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualItemRect(grid.item(row - 1, column)).center());
    }

    // Opens the cell's editor, types at the end of its text, and commits.
    QString typeInto(int row, int column, const QString& keys, bool backspace = false)
    {
        grid.setCurrentCell(row - 1, column);
        grid.editItem(grid.item(row - 1, column));
        QLineEdit* editor = nullptr;
        for (auto* open : grid.viewport()->findChildren<QLineEdit*>())
            if (open->isVisible())
                editor = open;
        if (!editor)
            return "<no editor>";
        QTest::keyClick(editor, Qt::Key_End); // the editor opens with its text selected
        for (const QChar c : keys) {
            // Key events carrying the character, so that Cyrillic is typed as well.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(editor, &press);
        }
        if (backspace)
            QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits on a queued call
        return store.cell(row, column);
    }

    SettingsStore store;
    UsersGrid grid{store};
};

TEST_F(UsersGridTest, IsSetUpAsTheUserTable)
{
    EXPECT_EQ(grid.objectName(), "SG");
    ASSERT_EQ(grid.rowCount(), 30);
    ASSERT_EQ(grid.columnCount(), 3);
    const QStringList headers = {"№", "Пароль/Код", "Описание"};
    const int widths[] = {40, 145, 152};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grid.horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(grid.columnWidth(c), widths[c]);
    }
    EXPECT_EQ(grid.item(0, 0)->text(), "01");
    EXPECT_EQ(grid.item(29, 0)->text(), "30");
    EXPECT_FALSE(grid.item(4, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(grid.rowHeight(7), 22);
    EXPECT_EQ(grid.item(3, 1)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(grid.LastClickedColumn, 0);
    EXPECT_EQ(grid.maxEditLength(), 40);
}

TEST_F(UsersGridTest, FollowsTheStoreAndFeedsItBothColumns)
{
    store.setCell(7, 1, "1104123400000000");
    store.setCell(7, 3, "hidden");
    EXPECT_EQ(grid.item(6, 1)->text(), "1104123400000000");
    grid.item(16, 2)->setText("Склад");
    EXPECT_EQ(store.cell(17, 2), "Склад");
    EXPECT_EQ(store.cell(7, 3), "hidden");
    store.resetToDefaults();
    EXPECT_EQ(grid.item(6, 1)->text(), "");
}

TEST_F(UsersGridTest, ClickInTheCodeColumnAllowsSixteenHexadecimalDigits)
{
    click(2, 1);
    EXPECT_EQ(grid.LastClickedColumn, 1);
    EXPECT_EQ(grid.toolTip().split('\n').first(), "Примеры:");
    EXPECT_EQ(grid.toolTip().count('\n'), 4);
    EXPECT_EQ(typeInto(2, 1, "ga+GF0"), "F0");
    EXPECT_EQ(typeInto(2, 1, "", true), "F");
    EXPECT_EQ(typeInto(3, 1, "0123456789ABCDEF0123"), "0123456789ABCDEF");
}

TEST_F(UsersGridTest, ClickInTheNoteColumnAllowsAHundredOfAnyKindUntilTheNextClick)
{
    const QString long120 = QString("абв xyz+").repeated(15);
    click(4, 2);
    EXPECT_TRUE(grid.toolTip().isEmpty());
    EXPECT_EQ(typeInto(4, 2, long120), long120.left(100));
    // Moving to the code column with the keyboard keeps the rules of the last click.
    EXPECT_EQ(typeInto(4, 1, "ab+"), "ab+");
}

TEST_F(UsersGridTest, AtStartFortyCharactersOfAnyKind)
{
    EXPECT_EQ(typeInto(1, 1, QString(45, 'z')), QString(40, 'z'));
}

TEST_F(UsersGridTest, AnEditNeverCutsOrBlocksWhatAFileBrought)
{
    const QString fromFile = "12345678901234567890ab";
    store.setCell(5, 1, fromFile);
    click(5, 1);
    EXPECT_EQ(typeInto(5, 1, "9x"), fromFile);
    EXPECT_EQ(typeInto(5, 1, "", true), fromFile.chopped(1));
}

TEST(EnrolmentPanelTest, InputsHintsAndTheRequest)
{
    EnrolmentPanel panel;
    auto* user = panel.findChild<QLineEdit*>("Edit_User_Ibutton");
    auto* access = panel.findChild<QLineEdit*>("Edit_User_acss");
    ASSERT_TRUE(user && access);
    EXPECT_EQ(user->text(), "02");
    EXPECT_EQ(access->text(), "21");
    EXPECT_EQ(user->toolTip(), "Нужно ввести номер пользователя\nот 01 до 30");
    EXPECT_EQ(access->toolTip(), "Первая цифра всегда 2, вторая доступ как описано выше");
    EXPECT_EQ(user->alignment(), Qt::AlignCenter);
    EXPECT_EQ(panel.findChild<QLabel*>("Lable_iButton")->text(), "4. Приложите ключ или инициируйте передачу");

    user->clear();
    QTest::keyClicks(user, "3a0F7");
    EXPECT_EQ(user->text(), "30");
    QStringList request;
    QObject::connect(&panel, &EnrolmentPanel::enrolmentRequested,
                     [&request](const QString& u, const QString& a) { request = {u, a}; });
    auto* start = panel.findChild<QToolButton*>("PNGButton_User");
    ASSERT_TRUE(start);
    EXPECT_EQ(start->toolTip(), "После нажатия ППК ожидает до 180 сек. принятия ключа, иначе выйдет из меню");
    start->click();
    EXPECT_EQ(request, (QStringList{"30", "21"}));
}

TEST(EnrolmentPanelTest, HelpListsTheFourteenAccessDigits)
{
    const QStringList lines = EnrolmentPanel::HelpText.split('\n');
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], "Для ввода пароля пользователя необходимо ввести:");
    EXPECT_TRUE(lines[2].startsWith("Например, пароль "));
    EXPECT_EQ(lines[3], "Соотвествие цифр доступу:");
    EXPECT_EQ(lines[4], "0 - все группы;");
    EXPECT_EQ(lines[16], "C - принудительная постановка всех групп;");
    EXPECT_EQ(lines[17], "F - подтверждение приезда группы.");
    // The worked example: type 1, access 1, count 04, the four digits, eight zeros.
    const QString example = lines[2];
    const QString password = example.mid(17, 4);
    EXPECT_EQ(example, "Например, пароль " + password + ", нужно ввести 1104" + password + "00000000");
}

} // namespace
