#include "windowfixture.h"

#include "model/catalogue.h"
#include "model/pages.h"
#include "model/settingsstore.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QWheelEvent>

namespace {

class PagesTest : public WindowTest {
protected:
    void SetUp() override { startShown(); }

    void showPage(const QString& name)
    {
        auto* pages = control<QTabWidget>("PageControl_");
        pages->setCurrentWidget(control(name));
    }

    // Typed key by key into a focused edit, as the user would.
    QString typeInto(const QString& name, const QString& keys)
    {
        auto* edit = control<QLineEdit>(name);
        edit->clear();
        edit->setFocus();
        type(edit, keys);
        return edit->text();
    }
};

TEST_F(PagesTest, TheSevenPagesInOrderWithTheirCaptions)
{
    auto* pages = control<QTabWidget>("PageControl_");
    ASSERT_EQ(pages->count(), 7);
    const QStringList names{"TS_Main", "TS_Apparatura", "TS_Zones", "TS_Users", "TS_Outputs", "TS_Others", "TS_Monitor"};
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
        EXPECT_EQ(pages->tabText(i), Pages()[i].caption);
    }
    EXPECT_EQ(pages->tabText(4), " --- Выходы  --- ");
}

TEST_F(PagesTest, EverySettingHasOneControlOnItsPage)
{
    int controls = 0;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.kind == SettingKind::Grid)
            continue;
        SCOPED_TRACE(def.name.toStdString());
        const QList<QWidget*> found = window->findChildren<QWidget*>(def.name);
        ASSERT_EQ(found.size(), 1);
        QWidget* page = def.page.isEmpty() ? window.get() : control(def.page);
        EXPECT_TRUE(page->isAncestorOf(found.front()));
        ++controls;
    }
    EXPECT_EQ(controls, 303); // and the user table:
    EXPECT_TRUE(control("TS_Users")->isAncestorOf(control("SG")));
    for (const auto& [page, count] : {std::pair{"TS_Apparatura", 12}, {"TS_Zones", 240}, {"TS_Outputs", 19},
                                      {"TS_Others", 29}}) {
        int onPage = 0;
        for (const SettingDef& def : SettingsCatalogue())
            onPage += def.page == page && control(page)->findChild<QWidget*>(def.name) ? 1 : 0;
        EXPECT_EQ(onPage, count) << page;
    }
}

TEST_F(PagesTest, CaptionsItemsAndDefaultsAsTheCatalogueHasThem)
{
    EXPECT_EQ(control<QCheckBox>("_eee_OkResAnyCHSts")->text(),
              "ОК3 при привязке к зонам включается при любом их нарушении | На охране все группы");
    EXPECT_EQ(control<QCheckBox>("_eee_RES_Inv")->text(), "выход ОК3 работает в двухстабильном режиме ");
    EXPECT_TRUE(control<QCheckBox>("CkeckSavePess")->isChecked());
    auto* keypad = control<QComboBox>("EeAdr_TypeKeybord");
    EXPECT_EQ(keypad->count(), 15);
    EXPECT_EQ(keypad->currentText(), "0 - Отсутствие;");
    EXPECT_EQ(keypad->itemText(14), "14 +");
    EXPECT_EQ(control<QComboBox>("EeAdr_SLAVE_ADRESS")->currentText(), "1");
    EXPECT_EQ(control<QComboBox>("EeAdr_VARIANT_ZNS")->currentText(), "Без изменений");
    for (const char* name : {"EeAdr_PER_TST_MESS", "EeAdr_PER_STS_CH", "EeAdr_SZO_TIMEOUT", "EeAdr_TimeOut220V"}) {
        auto* list = control<QComboBox>(name);
        EXPECT_EQ(list->count(), 256) << name;
        EXPECT_EQ(list->itemText(255), "255") << name;
        EXPECT_EQ(list->currentIndex(), -1) << name;
    }
    EXPECT_FALSE(control("EeAdr_PER_STS_CH")->isEnabled());
    EXPECT_EQ(control<QComboBox>("EeAdr_Algoritm_16")->currentText(), QString(26, '-'));
    EXPECT_EQ(control<QComboBox>("EeAdr_ShiftZones_01")->itemText(15), "16");
    EXPECT_EQ(control<QLineEdit>("sEdit_TEXT_ZN_07")->text(), "Зона");
    EXPECT_EQ(control<QLineEdit>("EeAdr_COD_CID_RES_16")->text(), "3130");
    EXPECT_EQ(control<QLineEdit>("EeAdr_DS18B20_off_HI")->text(), "0");
    EXPECT_EQ(control<QPlainTextEdit>("AboutMemo")->toPlainText().split('\n').size(), 13);

    auto* frame = control<QGroupBox>("sGroupBox_DS18B20");
    EXPECT_EQ(frame->title(), "Контроллер температуры");
    auto* readTemperature = control<QCheckBox>("sCheckBox_ReadTemper");
    EXPECT_TRUE(frame->isAncestorOf(readTemperature));
    EXPECT_FALSE(readTemperature->isChecked());
    EXPECT_TRUE(frame->isAncestorOf(control("EeAdr_DS18B20_on_HI")));
}

TEST_F(PagesTest, LinkGroupCaptionsAndHints)
{
    struct Row {
        const char* name;
        QString caption;
        QString hint;
    };
    const Row rows[] = {
        {"Label_Port", "Порт:", "Счелткните для открытия Диспетчера устройств"},
        {"Label_Pass", "Пароль ЦП:", ""},
        {"PNGButton_Open", "Открыть", "Открыть с файла на компьютере"},
        {"PNGButton_Save", "Сохранить", "Сохранить в файл на компьютере"},
        {"PNGButton_Read", "Прочитать", ""},
        {"ButtonWrite", "Записать", "Записать\n(после записи проводится Reset)"},
        {"Button_Memory", "Запомнить",
         "Перед нажатием, зоны должны быть в норме\n(двери закрыты, датчик движения успокоился и т.п.)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget* widget = control(row.name);
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        EXPECT_EQ(label ? label->text() : button->text(), row.caption);
        EXPECT_EQ(widget->toolTip(), row.hint);
        EXPECT_TRUE(control("GroupBox_OSW")->isAncestorOf(widget));
        EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_EQ(control("cbPort")->toolTip(), "Ctrl+Q для обновления списка");
    EXPECT_EQ(control("cbBaudRate")->toolTip(), "Швидкість\n(більшість 115200)");
    auto* password = control<QLineEdit>("EditPassComm");
    EXPECT_EQ(password->toolTip(), "Изначально 90817");
    EXPECT_EQ(password->alignment(), Qt::AlignCenter);
    EXPECT_FALSE(control<QComboBox>("cbPort")->isEditable());
}

TEST_F(PagesTest, ZoneTableHasHeadingsWithHintsAndRowNumbers)
{
    auto* zones = control("TS_Zones");
    ASSERT_NE(zones->findChild<QScrollArea*>(), nullptr);
    QStringList headings, hints;
    for (const QLabel* label : zones->findChildren<QLabel*>())
        if (label->font().bold()) {
            headings << label->text();
            hints << label->toolTip();
        }
    EXPECT_EQ(headings, (QStringList{"Название", "Тип схемы:", "Алгоритм:", "Выход:", "Вход:", "A", "B", "C", "D",
                                     "Авто", "ОК1", "ОК3", "Номер", "CID тр.", "CID вос."}));
    EXPECT_EQ(hints[0], "");
    EXPECT_EQ(hints[1], "Тип схемного включения шлейфов");
    EXPECT_TRUE(hints[3].startsWith("Задержка в секундах на выход из помещения.\nВ течении"));
    for (int zone = 1; zone <= 16; ++zone) {
        const QString number = QString::asprintf("%02d", zone);
        EXPECT_EQ(control<QLabel>("sLabel_Zone_" + number)->text(), QString::number(zone) + ":");
        EXPECT_TRUE(control("EeAdr_TypeZone_" + number)->toolTip().isEmpty());
    }
}

TEST_F(PagesTest, UserEditsReachTheStoreAndStoreChangesReachTheControls)
{
    SettingsStore& store = window->store();
    showPage("TS_Zones");
    auto* groupA = control<QCheckBox>("EeAdr_Zone_1_8_GR_A_03");
    QTest::mouseClick(groupA, Qt::LeftButton);
    EXPECT_TRUE(store.flag("EeAdr_Zone_1_8_GR_A_03"));
    EXPECT_EQ(typeInto("sEdit_TEXT_ZN_02", "Склад"), "Склад");
    EXPECT_EQ(store.text("sEdit_TEXT_ZN_02"), "Склад");
    auto* algorithm = control<QComboBox>("EeAdr_Algoritm_04");
    algorithm->setFocus();
    QTest::keyClick(algorithm, Qt::Key_Down);
    EXPECT_EQ(store.choice("EeAdr_Algoritm_04"), 1);

    store.setChoice("EeAdr_ShiftZones_05", 6);
    store.setFlag("_eee_OK_RES_Inv", true);
    store.setText("EeAdr_COD_VHOD", "3401");
    store.setMemo({"one", "two"});
    EXPECT_EQ(control<QComboBox>("EeAdr_ShiftZones_05")->currentText(), "7");
    EXPECT_TRUE(control<QCheckBox>("_eee_OK_RES_Inv")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("_eee_RES_Inv")->isChecked());
    EXPECT_EQ(control<QLineEdit>("EeAdr_COD_VHOD")->text(), "3401");
    EXPECT_EQ(control<QPlainTextEdit>("AboutMemo")->toPlainText(), "one\ntwo");
    EXPECT_FALSE(store.flag("_eee_RES_Inv"));
    EXPECT_TRUE(host.messages.filter("Не забудьте").isEmpty());
}

TEST_F(PagesTest, RenumberReminderOnEveryPickOnly)
{
    showPage("TS_Zones");
    host.messages.clear();
    window->store().setChoice("EeAdr_ShiftZones_16", 3);
    EXPECT_TRUE(host.messages.isEmpty());
    auto* number = control<QComboBox>("EeAdr_ShiftZones_05");
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(host.messages, QStringList{"Не забудьте перепроверить, одна из зон только один раз может быть выбрана!"});
    EXPECT_EQ(window->store().choice("EeAdr_ShiftZones_05"), 0);
}

TEST_F(PagesTest, TypingRules)
{
    showPage("TS_Users");
    EXPECT_EQ(typeInto("EeAdr_PassInstalator", "12ab"), "12");
    EXPECT_EQ(typeInto("EeAdr_PassInstalator", "AF09"), "AF09");
    EXPECT_EQ(typeInto("EeAdr_PassInstalator", QString(32, 'A') + "B"), QString(32, 'A'));
    EXPECT_EQ(window->store().text("EeAdr_PassInstalator"), QString(32, 'A'));

    showPage("TS_Apparatura");
    EXPECT_EQ(typeInto("EeAdr_DS18B20_on_HI", "-12.5"), "-12.5");
    EXPECT_EQ(typeInto("EeAdr_DS18B20_on_HI", "3,5x"), "3,5");
    EXPECT_EQ(typeInto("EeAdr_DS18B20_on_HI", "123456789"), "12345678");

    showPage("TS_Zones");
    EXPECT_EQ(typeInto("EeAdr_COD_CID_EV_09", "1a3C0"), "13C0");
    EXPECT_EQ(typeInto("EeAdr_COD_CID_EV_09", "11"), "11");
    EXPECT_EQ(typeInto("sEdit_TEXT_ZN_09", "Вход, склад №2"), "Вход, склад №2");

    EXPECT_EQ(typeInto("EditPassComm", "9081a7" + QString(12, 'F')), "90817" + QString(11, 'F'));
}

TEST_F(PagesTest, AValueLongerThanItsTypingLimitIsShownWhole)
{
    // What the window shows is what a save or a write would use.
    SettingsStore& store = window->store();
    store.setText("EeAdr_COD_CID_EV_02", "11305");
    store.setText("EeAdr_DS18B20_on_HI", "-127,9375");
    EXPECT_EQ(control<QLineEdit>("EeAdr_COD_CID_EV_02")->text(), "11305");
    EXPECT_EQ(control<QLineEdit>("EeAdr_DS18B20_on_HI")->text(), "-127,9375");
    EXPECT_EQ(store.text("EeAdr_COD_CID_EV_02"), "11305");
}

} // namespace

namespace {

TEST_F(PagesTest, TheWheelScrollsThePageAndNeverChangesAListItPasses)
{
    showPage("TS_Zones");
    auto* algorithm = control<QComboBox>("EeAdr_Algoritm_08");
    window->setFocus();
    const QPointF at = algorithm->rect().center();
    QWheelEvent wheel(at, algorithm->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(algorithm, &wheel);
    EXPECT_EQ(window->store().choice("EeAdr_Algoritm_08"), 0);
    EXPECT_TRUE(host.messages.filter("Не забудьте").isEmpty());

    algorithm->setFocus();
    QApplication::sendEvent(algorithm, &wheel);
    EXPECT_EQ(window->store().choice("EeAdr_Algoritm_08"), 1);
}

} // namespace
