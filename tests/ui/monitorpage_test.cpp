#include "service/keypadkeys.h"
#include "service/monitorlamps.h"
#include "ui/monitorpage.h"
#include "ui/switchled.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class MonitorPageTest : public testing::Test {
protected:
    QString text(const char* name) const
    {
        const auto* label = page.findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
    }

    SwitchLed* lamp(const QString& name) const { return page.findChild<SwitchLed*>(name); }

    MonitorView zeroView = decodeMonitorStatus(MonitorStatus{}, QLocale::c());
    MonitorPage page;
};

TEST_F(MonitorPageTest, ShowsTheDesignCaptionsUntilTheFirstBlock)
{
    const std::pair<const char*, const char*> captions[] = {
        {"sLabel_Uin", "Uin=V"},           {"sLabel_LB", "BAT=%"},
        {"sLabel_ZN_01", "Зона 01:"},      {"sLabel_ZN_16", "Зона 16:"},
        {"sLabel_RZ_09", "Датчик 09:"},    {"sLabel_TAMPER_SLAVE", "Slave:"},
        {"sLabel_SLAVE_TAMPER", "Тампер:"}, {"sLabel_FAULT_AKUM", "2-Аккум.:"},
        {"sLabelFAULT_EXT", "5-Расшир.:"},  {"sLabel_FAULT_12", "12 - "},
        {"sLabel_VIRTUAL1", "Вирт.вых.1:"}, {"sLabel_USER", "Пользов.:"},
        {"sLabel_MON_TEMPEATURA", "t = C"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(text(name), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(page.findChild<QLabel*>("sLabel_USER")->toolTip(), "Показывает номер последнего пользователя");

    QStringList titles;
    for (const QGroupBox* group : page.findChildren<QGroupBox*>())
        titles << group->title();
    for (const char* title : {"Питание", "Зоны (не используемая зона в обрыве)", "Клавиатура", "Выхода", "Тампера",
                              "Тампера и Батарейки VLN", "Slave", "Неисправности", "Температура"})
        EXPECT_TRUE(titles.contains(QString::fromUtf8(title))) << title;

    const auto* run = page.findChild<QCheckBox*>("sCheckBox_Run");
    ASSERT_TRUE(run);
    EXPECT_EQ(run->text(), "ПУСК");
    EXPECT_FALSE(page.isRunTicked());
    for (const char* name : {"SwitchLed_Tx", "SwitchLed_Rx"}) {
        ASSERT_TRUE(lamp(name)) << name;
        EXPECT_EQ(lamp(name)->state(), SwitchLed::LedOff);
    }
    EXPECT_NE(lamp("SwitchLed_Tx")->onColour(), lamp("SwitchLed_Rx")->onColour());
}

TEST_F(MonitorPageTest, HasAControlForEverythingTheDisplayShows)
{
    for (auto it = zeroView.texts.cbegin(); it != zeroView.texts.cend(); ++it)
        EXPECT_TRUE(page.findChild<QLabel*>(it.key())) << it.key().toStdString();
    for (const MonitorLamp& row : monitorLamps()) {
        SwitchLed* led = lamp(row.name);
        ASSERT_TRUE(led) << row.name.toStdString();
        EXPECT_EQ(led->state(), SwitchLed::LedOff);
    }
    EXPECT_EQ(lamp("SwitchLed_CH_05")->onColour(), lamp("SwitchLed_AL_1")->onColour());
    EXPECT_NE(lamp("SwitchLed_GR_1")->onColour(), lamp("SwitchLed_AL_1")->onColour());
    for (const KeypadKey& key : keypadKeys) {
        const auto* button = page.findChild<QPushButton*>(key.name);
        ASSERT_TRUE(button) << key.name;
        EXPECT_EQ(button->text(), key.caption);
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
    }
}

TEST_F(MonitorPageTest, ApplySetsTextsLampsAndTheUnderlinedKey)
{
    MonitorStatus status;
    status.bytes[1] = 0x05;  // 50 %
    status.bytes[2] = 0x01;  // case tamper
    status.bytes[9] = 0x04;  // fault lamp
    status.bytes[12] = 26;   // "*"
    page.apply(decodeMonitorStatus(status, QLocale::c()));

    EXPECT_EQ(text("sLabel_LB"), "BAT=50%");
    EXPECT_EQ(text("sLabel_TAMPER_PPK"), "Корпус ППК: ТРИВОГА");
    EXPECT_EQ(text("sLabel_ZN_03"), "Зона 03: Сост.: Снято, Резист.: КЗ");
    EXPECT_TRUE(page.findChild<QLabel*>("sLabel_TAMPER_PPK")->font().bold());
    EXPECT_FALSE(page.findChild<QLabel*>("sLabel_TAMPER_ZONES")->font().bold());
    EXPECT_EQ(lamp("SwitchLed_FAULT")->state(), SwitchLed::LedOn);
    EXPECT_EQ(lamp("SwitchLed_POWER")->state(), SwitchLed::LedOff);
    EXPECT_TRUE(page.findChild<QPushButton*>("sLabel_D_star")->font().underline());
    EXPECT_EQ(lamp("SwitchLed_Rx")->state(), SwitchLed::LedOff);
    EXPECT_EQ(text("sLabel_FAULT_12"), "12 - ");

    // A battery value of 11 keeps the last battery text; the alarm clears and the underline moves.
    status.bytes[1] = 0x0B;
    status.bytes[2] = 0;
    status.bytes[12] = 0;
    page.apply(decodeMonitorStatus(status, QLocale::c()));
    EXPECT_EQ(text("sLabel_LB"), "BAT=50%");
    EXPECT_EQ(text("sLabel_TAMPER_PPK"), "Корпус ППК: Норма");
    EXPECT_FALSE(page.findChild<QLabel*>("sLabel_TAMPER_PPK")->font().bold());
    EXPECT_FALSE(page.findChild<QPushButton*>("sLabel_D_star")->font().underline());
    EXPECT_TRUE(page.findChild<QPushButton*>("sLabel_D_0")->font().underline());
}

TEST_F(MonitorPageTest, KeypadClicksEmitTheCodesThePanelExpectsOnlyWhileTheMonitorRuns)
{
    QList<int> codes;
    QObject::connect(&page, &MonitorPage::keyClicked, [&codes](int code) { codes << code; });
    const auto clickAll = [this] {
        for (const char* name : {"sLabel_D_1", "sLabel_D_5", "sLabel_D_9", "sLabel_D_0", "sLabel_D_star", "sLabel_D_sharp"})
            page.findChild<QPushButton*>(name)->click();
    };
    auto* run = page.findChild<QCheckBox*>("sCheckBox_Run");
    clickAll();
    EXPECT_TRUE(codes.isEmpty());
    EXPECT_FALSE(page.findChild<QPushButton*>("sLabel_D_5")->isEnabled());
    run->click();
    clickAll();
    EXPECT_EQ(codes, (QList<int>{1, 5, 9, 0, 11, 10}));
    run->click();
    EXPECT_FALSE(page.findChild<QPushButton*>("sLabel_D_5")->isEnabled());
}

TEST_F(MonitorPageTest, APictureWithoutNewBlocksIsGreyedAndMarkedUntilTheyComeAgain)
{
    auto* note = page.findChild<QLabel*>("Label_MonitorStale");
    ASSERT_NE(note, nullptr);
    page.show();
    EXPECT_FALSE(page.isStale()); // no block yet: nothing to be old
    page.apply(zeroView);
    const QString supply = text("sLabel_Uin");
    EXPECT_FALSE(page.isStale());
    EXPECT_TRUE(QTest::qWaitFor([this] { return page.isStale(); }, 3 * MonitorPage::StaleAfterMs));
    EXPECT_TRUE(note->isVisible());
    auto* supplyLabel = page.findChild<QLabel*>("sLabel_Uin");
    EXPECT_FALSE(supplyLabel->isEnabled());
    // Greyed as the style greys a disabled text, whatever colour the block gave it.
    EXPECT_EQ(supplyLabel->palette().color(QPalette::Disabled, QPalette::WindowText),
              page.palette().color(QPalette::Disabled, QPalette::WindowText));
    EXPECT_FALSE(lamp("SwitchLed_CH_01")->isEnabled());
    EXPECT_EQ(text("sLabel_Uin"), supply); // the texts stay

    page.apply(zeroView);
    EXPECT_FALSE(page.isStale());
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(page.findChild<QLabel*>("sLabel_Uin")->isEnabled());
    EXPECT_TRUE(lamp("SwitchLed_CH_01")->isEnabled());
}

TEST_F(MonitorPageTest, RunCheckBoxReportsTheUsersClicks)
{
    QList<bool> clicks;
    QObject::connect(&page, &MonitorPage::runClicked, [&clicks](bool ticked) { clicks << ticked; });
    auto* run = page.findChild<QCheckBox*>("sCheckBox_Run");
    run->click();
    EXPECT_TRUE(page.isRunTicked());
    run->setChecked(false); // a change made by code is not the user's click
    run->click();
    EXPECT_EQ(clicks, (QList<bool>{true, true}));

    page.setTxLed(true);
    EXPECT_EQ(lamp("SwitchLed_Tx")->state(), SwitchLed::LedOn);
    page.setTxLed(false);
    EXPECT_EQ(lamp("SwitchLed_Tx")->state(), SwitchLed::LedOff);
}

TEST_F(MonitorPageTest, FitsItsPageWithTheWidestTexts)
{
    MonitorStatus worst;
    worst.bytes.fill(0xFF);
    page.apply(decodeMonitorStatus(worst, QLocale::c()));
    const QSize size = page.minimumSizeHint();
    EXPECT_LE(size.width(), 760);
    EXPECT_LE(size.height(), 520);
}

} // namespace
