#include "windowfixture.h"

#include "model/catalogue.h"
#include "model/settingsstore.h"
#include "ui/hotkeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

namespace {

const QString NoStartFile =
    QStringLiteral("Внимание! Не найден изначальный файл [1_Start], который должен находится в папке с .ехе файлом!");
const QString SaveTitle = QStringLiteral("Збереження конфігурації");
const QString OpenTitle = QStringLiteral("Відкривання конфігурації");

class ShortcutTest : public WindowTest {
protected:
    void SetUp() override { startShown(); host.calls.clear(); host.messages.clear(); }

    // The zone Settings a preset may touch, by name.
    QHash<QString, int> zoneChoices() const
    {
        QHash<QString, int> choices;
        for (const SettingDef& def : SettingsCatalogue())
            if (def.kind == SettingKind::Choice && !def.family.isEmpty())
                choices[def.name] = window->store().choice(def.name);
        return choices;
    }
};

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QStringList calls; // what the FakeHost saw
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class ShortcutKeyTest : public ShortcutTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(ShortcutKeyTest, ReachesItsOperation)
{
    const KeyCase& c = GetParam();
    press(c.key, c.modifiers);
    EXPECT_EQ(host.calls, c.calls);
}

const Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortcutKeyTest,
    testing::Values(KeyCase{"CtrlS", Qt::Key_S, Ctrl, {"save-dialog:" + SaveTitle}},
                    KeyCase{"CtrlShiftS", Qt::Key_S, Ctrl | Qt::ShiftModifier, {"save-dialog:" + SaveTitle}},
                    KeyCase{"CtrlAltO", Qt::Key_O, Ctrl | Qt::AltModifier, {"open-dialog:" + OpenTitle}},
                    KeyCase{"CtrlL", Qt::Key_L, Ctrl, {"save-dialog:Сохранить журнал обмена"}},
                    KeyCase{"F5", Qt::Key_F5, Qt::NoModifier, {"message:" + NoStartFile}},
                    KeyCase{"ShiftF5", Qt::Key_F5, Qt::ShiftModifier, {"message:" + NoStartFile}},
                    KeyCase{"CtrlF5", Qt::Key_F5, Ctrl, {"message:" + NoStartFile}},
                    KeyCase{"EscWhileIdle", Qt::Key_Escape, Qt::NoModifier, {"message:Зупинено користувачем!"}},
                    KeyCase{"ShiftEsc", Qt::Key_Escape, Qt::ShiftModifier, {"message:Зупинено користувачем!"}},
                    KeyCase{"SWithoutCtrl", Qt::Key_S, Qt::NoModifier, {}},
                    KeyCase{"CtrlKeypad1", Qt::Key_1, Ctrl | Qt::KeypadModifier, {}},
                    KeyCase{"CtrlKeypad3", Qt::Key_3, Ctrl | Qt::KeypadModifier, {}},
                    KeyCase{"CtrlOtherLetter", Qt::Key_X, Ctrl, {}}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(ShortcutTest, EscSetsTheCancelFlag)
{
    EXPECT_FALSE(window->link().CancelRequested);
    press(Qt::Key_Escape);
    EXPECT_TRUE(window->link().CancelRequested);
}

TEST_F(ShortcutTest, KeysAreSeenBeforeTheFocusedControlAndStillReachIt)
{
    control<QTabWidget>("PageControl_")->setCurrentWidget(control("TS_Zones"));
    auto* name = control<QLineEdit>("sEdit_TEXT_ZN_01");
    name->setFocus();
    name->clear();
    press(Qt::Key_S);
    EXPECT_EQ(name->text(), "s");
    EXPECT_TRUE(host.dialogs.isEmpty());

    press(Qt::Key_S, Ctrl);
    EXPECT_EQ(host.dialogs.size(), 1);
    press(Qt::Key_A, Ctrl); // the edit's own Select All still works
    EXPECT_EQ(name->selectedText(), "s");
}

TEST_F(ShortcutTest, CtrlQRefillsThePortsAndChoosesTheFirst)
{
    auto* ports = control<QComboBox>("cbPort");
    ports->setCurrentIndex(1);
    portNames = {"ttyACM0", "ttyACM1", "ttyUSB3"};
    press(Qt::Key_Q, Ctrl);
    EXPECT_EQ(ports->count(), 3);
    EXPECT_EQ(ports->currentText(), "ttyACM0");
    EXPECT_EQ(host.messages, QStringList{"Порти оновлено!"});

    portNames.clear();
    press(Qt::Key_Q, Ctrl);
    EXPECT_EQ(ports->currentIndex(), -1);
    EXPECT_EQ(host.messages.size(), 2);

    portNames = {"ttyS9"};
    portListFails = true;
    press(Qt::Key_Q, Ctrl | Qt::ShiftModifier);
    EXPECT_EQ(ports->count(), 0);
    EXPECT_EQ(host.messages.last(), "Ошибка обращения к системному реестру (возможно отсутствуют COM порты)");
}

TEST_F(ShortcutTest, PresetsChangeExactlyTheirSettings)
{
    struct PresetCase {
        int key;
        QStringList families;
        int index;
        QString message;
    };
    const PresetCase cases[] = {
        {Qt::Key_1, {"EeAdr_DelEXIT", "EeAdr_DelVhod"}, 0, "У всех зон нулевая задержка"},
        {Qt::Key_3, {"EeAdr_TypeZone"}, 2, "Все зоны НР!"},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        window->store().resetToDefaults();
        window->store().setChoice("EeAdr_DelEXIT_07", 30);
        window->store().setChoice("EeAdr_Algoritm_02", 5);
        QHash<QString, int> expected = zoneChoices();
        for (auto it = expected.begin(); it != expected.end(); ++it)
            if (c.families.contains(it.key().chopped(3)))
                it.value() = c.index;
        host.pages.clear();
        host.messages.clear();

        for (int round = 0; round < 2; ++round) // pressed again with nothing left to change, it still reports
            press(c.key, Ctrl);
        EXPECT_EQ(zoneChoices(), expected);
        EXPECT_EQ(host.pages, QStringList(2, "TS_Zones"));
        EXPECT_EQ(host.messages, QStringList(2, c.message));
    }
}

TEST_F(ShortcutTest, CtrlTwoUnlocksTheStatePeriodAndKeepsItsValue)
{
    window->store().setChoice("EeAdr_PER_STS_CH", 7);
    for (int round = 0; round < 2; ++round)
        press(Qt::Key_2, Ctrl);
    auto* period = control<QComboBox>("EeAdr_PER_STS_CH");
    EXPECT_TRUE(period->isEnabled());
    EXPECT_EQ(period->currentIndex(), 7);
    EXPECT_EQ(host.pages, QStringList(2, "TS_Apparatura"));
    EXPECT_EQ(host.messages, QStringList(2, "Разрешено изменение периода передачи состояния зон!"));

    // A file or a panel read sets its value later; it stays editable.
    window->store().setChoice("EeAdr_PER_STS_CH", 9);
    EXPECT_TRUE(period->isEnabled());
}

// Open, Save, F5 and the presets, pressed while a panel operation holds the port:
// refused with a beep during a read or a write (two configurations would mix),
// run during a monitor tick (the monitor leaves the configuration alone).
TEST_F(ShortcutTest, ConfigurationKeysWaitForATransferButNotForTheMonitor)
{
    struct Case {
        const char* name;
        std::function<void()> operation;
        bool refused;
    };
    const Case cases[] = {
        {"read", [this] { press(Qt::Key_R, Ctrl); }, true},
        {"write", [this] { QTest::mouseClick(control("ButtonWrite"), Qt::LeftButton); }, true},
        {"monitor tick", [this] {
             control<QCheckBox>("sCheckBox_Run")->click();
             control<QPushButton>("sLabel_D_5")->click();
             control<QCheckBox>("sCheckBox_Run")->click();
         }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.calls.clear();
        bool pressed = false;
        host.onProcessEvents = [&] {
            if (pressed || !window->link().busy())
                return;
            pressed = true;
            host.sounds.clear();
            host.dialogs.clear();
            const QStringList before = host.messages;
            for (const int key : {Qt::Key_S, Qt::Key_O, Qt::Key_1, Qt::Key_3})
                press(key, Ctrl);
            press(Qt::Key_F5);
            EXPECT_EQ(host.sounds, c.refused ? QList<Sound>(5, Sound::Simple) : QList<Sound>{});
            EXPECT_EQ(host.dialogs.size(), c.refused ? 0 : 2);
            EXPECT_EQ(host.messages.size() - before.size(), c.refused ? 0 : 3);
            // Another panel operation is refused whatever holds the port.
            host.sounds.clear();
            press(Qt::Key_M, Ctrl);
            EXPECT_EQ(host.sounds, QList<Sound>{Sound::Simple});
        };
        c.operation();
        host.onProcessEvents = nullptr;
        EXPECT_TRUE(pressed);
    }
    EXPECT_EQ(panel.memorisations, 0);
}

TEST(HotKeyOf, TellsAKeyByItsPlaceWhereTheLayoutHidesIt)
{
    struct Case {
        const char* name;
        int key;
        quint32 keycode;
        Qt::KeyboardModifiers modifiers;
        QString platform;
        HotKey expected;
    };
    const Case cases[] = {
        {"Cyrillic S on X11", 0x44B /* ы */, 39, Qt::ControlModifier, "xcb", HotKey::Save},
        {"Shift+1 on X11", Qt::Key_Exclam, 10, Qt::ControlModifier | Qt::ShiftModifier, "xcb", HotKey::Preset1},
        {"Cyrillic R on Wayland", 0x43A /* к */, 27, Qt::ControlModifier, "wayland", HotKey::Read},
        {"Cyrillic S without Ctrl", 0x44B, 39, Qt::NoModifier, "xcb", HotKey::None},
        {"keypad 1 on X11", Qt::Key_1, 87, Qt::ControlModifier | Qt::KeypadModifier, "xcb", HotKey::None},
        {"no keycodes offscreen", 0x44B, 39, Qt::ControlModifier, "offscreen", HotKey::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.keycode, 0, 0);
        EXPECT_EQ(HotKeyOf(event, c.platform), c.expected);
    }
}

} // namespace

namespace {

TEST_F(ShortcutTest, PanelOperationsRunFromTheirKeysAndButtons)
{
    press(Qt::Key_R, Ctrl);
    EXPECT_EQ(host.messages.last(), "Прочитано успешно.");
    EXPECT_FALSE(host.controlTexts.contains("sGroupBox_DS18B20"));

    control<QCheckBox>("sCheckBox_ReadTemper")->setChecked(true);
    QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);
    EXPECT_EQ(host.messages.last(), "Прочитано успешно.");
    EXPECT_TRUE(host.controlTexts.value("sGroupBox_DS18B20").startsWith("Контроллер температуры ("));

    QTest::mouseClick(control("ButtonWrite"), Qt::LeftButton);
    EXPECT_EQ(host.questions.last(), "Вы уверены что хотите записать?");
    EXPECT_EQ(host.messages.last(), "Записано успешно, ППК перезагружен.");
    EXPECT_EQ(panel.restarts, 1);

    press(Qt::Key_M, Ctrl | Qt::AltModifier);
    EXPECT_EQ(host.messages.last(), "ППК запомнил сопротивление шлейфов.");
    EXPECT_EQ(panel.memorisations, 1);
}

TEST_F(ShortcutTest, TheMonitorPollsWhileItsBoxIsTicked)
{
    control<QTabWidget>("PageControl_")->setCurrentWidget(control("TS_Monitor"));
    auto* run = control<QCheckBox>("sCheckBox_Run");
    QTest::mouseClick(run, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.log.contains("000E04"); }, 2000));
    QTest::mouseClick(run, Qt::LeftButton);
    const qsizetype polls = panel.log.count("000E04");
    QTest::qWait(700);
    EXPECT_EQ(panel.log.count("000E04"), polls);
}

} // namespace

namespace {

TEST_F(ShortcutTest, EscDuringAReadStopsItAtTheNextExchange)
{
    int tries = 0;
    host.onProcessEvents = [&] {
        if (++tries == 10)
            press(Qt::Key_Escape);
    };
    press(Qt::Key_R, Ctrl);
    host.onProcessEvents = nullptr;
    EXPECT_EQ(host.messages, QStringList{"Зупинено користувачем!"});
    EXPECT_FALSE(host.progressVisible);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(window->link().busy());
}

} // namespace
