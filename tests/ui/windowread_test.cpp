#include "windowfixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class WindowReadTest : public WindowTest {
protected:
    void SetUp() override { startShown(); }
};

TEST_F(WindowReadTest, FillsTheControlsAndShowsProgressOnlyAfterTheLogin)
{
    panel.memory[0x0050 + 2] = 0x02; // zone 3: "NO"
    panel.memory[0x0025] = 0x05;     // keypad "5 - PC1555RKZ;"
    int exchangesBeforeShow = -1;
    host.onProcessEvents = [&] {
        if (host.progressVisible && exchangesBeforeShow < 0)
            exchangesBeforeShow = host.progressPosition;
    };

    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);
    host.onProcessEvents = nullptr;

    EXPECT_EQ(host.messages.last(), "Прочитано успешно.");
    EXPECT_EQ(host.title, "QZV-6 Configurator - [*.qzv]");
    EXPECT_EQ(control<QComboBox>("EeAdr_TypeZone_03")->currentText(), "NO");
    EXPECT_EQ(control<QComboBox>("EeAdr_TypeKeybord")->currentText(), "5 - PC1555RKZ;");
    EXPECT_EQ(control<QLineEdit>("EeAdr_PassInstalator")->text(), "90817");
    // The three opening requests and the login advance the hidden bar to 4.
    EXPECT_EQ(exchangesBeforeShow, 4);
    EXPECT_EQ(host.progressShowCount, 1);
    EXPECT_FALSE(host.progressVisible);
}

TEST_F(WindowReadTest, AWrongPasswordChangesNothingAndNeverShowsProgress)
{
    const QString typeBefore = control<QComboBox>("EeAdr_TypeZone_01")->currentText();
    control<QLineEdit>("EditPassComm")->setText("1234");

    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);

    EXPECT_EQ(host.messages.last(), "Неверный пароль!");
    EXPECT_EQ(host.progressShowCount, 0);
    EXPECT_EQ(control<QComboBox>("EeAdr_TypeZone_01")->currentText(), typeBefore);
    EXPECT_NE(host.title, "QZV-6 Configurator - [*.qzv]");
}

} // namespace
