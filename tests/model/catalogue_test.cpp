#include "model/catalogue.h"
#include "model/pages.h"
#include "model/settingsstore.h"

#include <gtest/gtest.h>

#include <QSet>

#include <map>

namespace {

QString Zone(const QString& family, int zone)
{
    return family + QStringLiteral("_%1").arg(zone, 2, 10, QLatin1Char('0'));
}

// What the control of a Setting shows at start-up, the way an installer sees it.
QString Shown(const SettingsStore& store, const QString& name)
{
    const SettingDef* def = FindSetting(name);
    if (def->kind == SettingKind::Choice) {
        const int index = store.choice(name);
        return index < 0 ? QStringLiteral("<none>") : def->items.at(index);
    }
    return store.text(name);
}

const QStringList Families = {
    "sEdit_TEXT_ZN",       "EeAdr_TypeZone",          "EeAdr_Algoritm",      "EeAdr_DelEXIT",
    "EeAdr_DelVhod",       "EeAdr_Zone_1_8_GR_A",     "EeAdr_Zone_1_8_GR_B", "EeAdr_Zone_1_8_GR_C",
    "EeAdr_Zone_1_8_GR_D", "EeAdr_GR_A_AvtoIskl_1_8", "EeAdr_ZonNotBuz_1_8", "EeAdr_ZONES_1_8_OKRES",
    "EeAdr_ShiftZones",    "EeAdr_COD_CID_EV",        "EeAdr_COD_CID_RES",
};

} // namespace

TEST(Catalogue, HoldsEveryNameOnceSpreadOverThePages)
{
    const auto& all = SettingsCatalogue();
    ASSERT_EQ(all.size(), 304u);
    QSet<QString> names;
    std::map<QString, int> perPage;
    for (const SettingDef& def : all) {
        SCOPED_TRACE(def.name.toStdString());
        EXPECT_FALSE(names.contains(def.name));
        names.insert(def.name);
        EXPECT_EQ(FindSetting(def.name), &def);
        ++perPage[def.page];
    }
    const std::map<QString, int> expected = {{"TS_Apparatura", 12}, {"TS_Zones", 240}, {"TS_Users", 3},
                                             {"TS_Outputs", 19},    {"TS_Others", 29},  {"", 1}};
    EXPECT_EQ(perPage, expected);
    EXPECT_EQ(FindSetting("EeAdr_TypeZone_17"), nullptr);
    EXPECT_EQ(FindSetting("eeadr_typezone_01"), nullptr);
}

TEST(Catalogue, EveryZoneFamilyHasSixteenAlikeMembersInZoneOrder)
{
    const auto& all = SettingsCatalogue();
    int members = 0;
    for (const QString& family : Families) {
        SCOPED_TRACE(family.toStdString());
        const SettingDef* first = FindSetting(Zone(family, 1));
        ASSERT_NE(first, nullptr);
        for (int zone = 1; zone <= 16; ++zone) {
            const SettingDef* def = FindSetting(Zone(family, zone));
            ASSERT_NE(def, nullptr) << zone;
            EXPECT_EQ(def, first + (zone - 1)) << "members lie together, zone 1 first";
            EXPECT_EQ(def->family, family);
            EXPECT_EQ(def->zone, zone);
            EXPECT_EQ(def->kind, first->kind);
            EXPECT_EQ(def->items, first->items);
            EXPECT_EQ(def->defaultIndex, first->defaultIndex);
            EXPECT_EQ(def->defaultText, first->defaultText);
            EXPECT_EQ(def->defaultChecked, first->defaultChecked);
            EXPECT_EQ(def->caption, first->caption);
            EXPECT_EQ(def->hint, first->hint);
            EXPECT_EQ(def->page, "TS_Zones");
        }
    }
    for (const SettingDef& def : all)
        members += def.family.isEmpty() ? 0 : 1;
    EXPECT_EQ(members, 240);
}

TEST(Catalogue, PanelFlagsAndFileOnlySettings)
{
    int panelFlags = 0;
    QStringList fileOnly;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.kind == SettingKind::Flag && def.inPanel)
            ++panelFlags;
        if (!def.inPanel)
            fileOnly << def.name;
    }
    // 47 single bits and 7 zone columns of 16.
    EXPECT_EQ(panelFlags, 159);
    QStringList expected = {"CkeckSavePess", "AboutMemo"};
    for (int zone = 1; zone <= 16; ++zone)
        expected << Zone("sEdit_TEXT_ZN", zone);
    fileOnly.sort();
    expected.sort();
    EXPECT_EQ(fileOnly, expected);
}

TEST(Catalogue, StartUpValuesWithoutAStartFile)
{
    const SettingsStore store;
    const std::vector<std::pair<QString, QString>> shown = {
        {"EeAdr_PER_TST_MESS", "<none>"},
        {"EeAdr_PER_STS_CH", "<none>"},
        {"EeAdr_SLAVE_ADRESS", "1"},
        {"EeAdr_VARIANT_ZNS", "Без изменений"},
        {"EeAdr_TypeKeybord", "0 - Отсутствие;"},
        {"EeAdr_DS18B20_on_HI", "0"},
        {"EeAdr_DS18B20_off_HI", "0"},
        {"EeAdr_PassInstalator", "90817"},
        {"EeAdr_SZO_TIMEOUT", "<none>"},
        {"EeAdr_RESER_TIMEOUT", "<none>"},
        {"EeAdr_TimeOut220V", "<none>"},
        {"sComboBox_TypeTM", "0 - не используется"},
        {"EeAdr_QtyLinds", "0 - Отсутствие"},
        {"EeAdr_COD_VHOD", "1130"},
    };
    for (const auto& [name, text] : shown) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Shown(store, name), text);
    }
    const std::vector<std::pair<QString, QString>> zoneShown = {
        {"EeAdr_TypeZone", "<none>"},   {"EeAdr_DelEXIT", "<none>"},       {"EeAdr_DelVhod", "<none>"},
        {"EeAdr_ShiftZones", "<none>"}, {"EeAdr_Algoritm", QString(26, u'-')}, {"sEdit_TEXT_ZN", "Зона"},
        {"EeAdr_COD_CID_EV", "1130"},   {"EeAdr_COD_CID_RES", "3130"},
    };
    for (int zone = 1; zone <= 16; ++zone)
        for (const auto& [family, text] : zoneShown) {
            SCOPED_TRACE(Zone(family, zone).toStdString());
            EXPECT_EQ(Shown(store, Zone(family, zone)), text);
        }
    for (const SettingDef& def : SettingsCatalogue())
        if (def.kind == SettingKind::Flag) {
            SCOPED_TRACE(def.name.toStdString());
            EXPECT_EQ(store.flag(def.name), def.name == "CkeckSavePess");
        }
    for (int row = 1; row <= SettingsStore::UserRows; ++row)
        for (int column = 1; column <= SettingsStore::GridColumns; ++column)
            EXPECT_TRUE(store.cell(row, column).isEmpty());
    EXPECT_EQ(store.memo().size(), 13);

    for (const SettingDef& def : SettingsCatalogue())
        EXPECT_EQ(def.disabledAtStart, def.name == "EeAdr_PER_STS_CH") << def.name.toStdString();
}

TEST(Catalogue, NumericListsAreBuilt)
{
    QStringList byteLists;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.kind != SettingKind::Choice || def.items.value(0) != "0" || def.items.size() != 256)
            continue;
        byteLists << def.name;
        for (int n = 0; n < 256; ++n)
            ASSERT_EQ(def.items.at(n), QString::number(n)) << def.name.toStdString();
    }
    QStringList expected = {"EeAdr_PER_TST_MESS", "EeAdr_PER_STS_CH", "EeAdr_SZO_TIMEOUT", "EeAdr_RESER_TIMEOUT",
                            "EeAdr_TimeOut220V"};
    for (int zone = 1; zone <= 16; ++zone)
        expected << Zone("EeAdr_DelEXIT", zone) << Zone("EeAdr_DelVhod", zone);
    byteLists.sort();
    expected.sort();
    EXPECT_EQ(byteLists, expected);

    for (int zone = 1; zone <= 16; ++zone) {
        const QStringList& items = FindSetting(Zone("EeAdr_ShiftZones", zone))->items;
        ASSERT_EQ(items.size(), 16);
        for (int n = 0; n < 16; ++n)
            EXPECT_EQ(items.at(n), QString::number(n + 1));
    }
}

TEST(Catalogue, TextsStandAsTheSystemWritesThem)
{
    struct Case {
        const char* name;
        QString SettingDef::*field;
        QString text;
    };
    const Case cases[] = {
        {"_eee_RES_Inv", &SettingDef::caption, "выход ОК3 работает в двухстабильном режиме "},
        {"_eee_OkResAnyCHSts", &SettingDef::caption,
         "ОК3 при привязке к зонам включается при любом их нарушении | На охране все группы"},
        {"_eee_OkResAndOrBit", &SettingDef::caption,
         "при привязке к ШС ОК3 работает по условию \"И\" (если не установлено по \"ИЛИ\")"},
        // Cyrillic В here, Latin D in the next one, as the panel's texts have them.
        {"_eee_OkResGR_B", &SettingDef::caption,
         "выход ОК3 работает в режиме выносного светодиода группы \"\u0412\""},
        {"_eee_OkResGR_D", &SettingDef::caption, "выход ОК3 работает в режиме выносного светодиода группы \"D\""},
        {"_eee_Enable_ZORO", &SettingDef::caption, "подключение на \u0425" "4 радиоприемника VLN"},
        {"EeAdr_DS18B20_on_HI", &SettingDef::hint,
         "Допускаются дробные числа и знак минус, например:\n12.5\n-3\n45.2\n0\n-18.8"},
        {"EeAdr_PER_STS_CH", &SettingDef::hint, "Меняйте если знаете что это."},
        {"EeAdr_PassInstalator", &SettingDef::caption, "Пароль установщика:"},
        {"EeAdr_GR_A_AvtoIskl_1_8_07", &SettingDef::hint, "Автоисключаемые зоны (режим \"Остаюсь дома\")"},
        {"EeAdr_ZonNotBuz_1_8_16", &SettingDef::caption, "\u041e\u041a" "1"},
        {"EeAdr_DelEXIT_03", &SettingDef::hint,
         "Задержка в секундах на выход из помещения.\nВ течении этого времени можно выйти из охраняемого "
         "помещения после постановки системы под охрану, не вызывая тревоги. Для каждой зоны можно "
         "индивидуально установить время."},
        {"sComboBox_TypeTM", &SettingDef::caption, "Режим клеммы \u0422\u041c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindSetting(c.name)->*c.field, c.text);
    }
    const SettingDef* keypad = FindSetting("EeAdr_TypeKeybord");
    EXPECT_EQ(keypad->items.size(), 15);
    EXPECT_EQ(keypad->items.last(), "14 +");
    EXPECT_EQ(FindSetting("EeAdr_SLAVE_ADRESS")->items, QStringList({"-", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(FindSetting("sComboBox_TypeTM")->items.size(), 9);
    EXPECT_EQ(FindSetting("EeAdr_Algoritm_01")->items.size(), 10);

    const QStringList memo = FindSetting("AboutMemo")->defaultLines;
    ASSERT_EQ(memo.size(), 13);
    EXPECT_EQ(memo[1], "");
    EXPECT_EQ(memo[2], "\"Горячие клавиши\":");
    EXPECT_EQ(memo[4], "Crtl+W - запись установок");
    EXPECT_EQ(memo[8], "Crtl+Q - обновить список \u0421\u041e\u041c портов системы;");
}

TEST(Catalogue, LimitsKindsAndPlaces)
{
    const std::vector<std::tuple<QString, SettingKind, int>> rows = {
        {"EeAdr_PassInstalator", SettingKind::CodeText, 32}, {"EeAdr_DS18B20_on_HI", SettingKind::NumberText, 8},
        {"EeAdr_DS18B20_off_HI", SettingKind::NumberText, 8}, {"EeAdr_COD_VHOD", SettingKind::CodeText, 4},
        {"EeAdr_COD_CID_EV_05", SettingKind::CodeText, 4},    {"EeAdr_COD_CID_RES_12", SettingKind::CodeText, 4},
        {"sEdit_TEXT_ZN_01", SettingKind::FreeText, 0},       {"SG", SettingKind::Grid, 0},
        {"AboutMemo", SettingKind::Memo, 0},
    };
    for (const auto& [name, kind, maxLength] : rows) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(FindSetting(name)->kind, kind);
        EXPECT_EQ(FindSetting(name)->maxLength, maxLength);
    }
    EXPECT_TRUE(FindSetting("SG")->inPanel);
    EXPECT_EQ(FindSetting("SG")->page, "TS_Users");
    EXPECT_TRUE(FindSetting("AboutMemo")->page.isEmpty());
}

TEST(Pages, SevenInWindowOrderWithTheirTabTexts)
{
    const QStringList names = {"TS_Main",    "TS_Apparatura", "TS_Zones",  "TS_Users",
                               "TS_Outputs", "TS_Others",     "TS_Monitor"};
    ASSERT_EQ(Pages().size(), 7u);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(Pages()[i].name, names[i]);
    EXPECT_EQ(FindPage("TS_Outputs")->caption, " --- Выходы  --- ");
    EXPECT_EQ(FindPage("TS_Zones")->caption, " --- Зоны --- ");
    EXPECT_EQ(FindPage("TS_Nowhere"), nullptr);
    for (const SettingDef& def : SettingsCatalogue())
        EXPECT_TRUE(def.page.isEmpty() || FindPage(def.page)) << def.name.toStdString();
    EXPECT_EQ(HardwareTexts().temperatureFrame, "Контроллер температуры");
    EXPECT_EQ(UserTableHeadings(), QStringList({"№", "Пароль/Код", "Описание"}));
}
