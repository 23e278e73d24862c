#include "model/catalogue_rows.h"

namespace catalogue {

namespace {

constexpr const char* Page = "TS_Apparatura";
constexpr const char* UsersPage = "TS_Users";

constexpr FlagRow HardwareFlags[] = {
    {"_eee_En_ParalelMaster", "разрешить объединение двух плат, режим ведущий Master"},
    {"_eee_En_ParalelSlave", "разрешить объединение двух плат, режим ведомый Slave"},
    {"_eee_Enable_TL", "разрешить передачу сообщений на TL-GSM"},
    {"_eee_Enable_ZORO", "подключение на Х4 радиоприемника VLN"},
    {"_eee_TamperOnTl", "Тампер ППК на клемме Z1 платы TL-GSM"},
};

QStringList SlaveAddressItems()
{
    return {"-", "1", "2", "3", "4", "5", "6", "7", "8"};
}

QStringList ZoneVariantItems()
{
    return {
        "Без изменений",
        "Z1-Z6 удвоение до 1-12, на кл. 13-14, на TL 15-16",
        "Z1-Z4 удвоение до 1-8, Z5-Z6 к 9-10, на кл. 11-12, на TL 13-14",
        "Z1-Z4 удвоение до 1-8, на кл. 9-10, на VLN 11-16",
        "Z1-Z4 удвоение до 1-8, на VLN 9-16",
        "Объединение двух плат 1-14, на TL 15-16",
    };
}

QStringList KeypadItems()
{
    return {
        "0 - Отсутствие;",
        "1 - KD-E164 (СА-6 KLED);",
        "2 - СА-10 KLED;",
        "3 - PC2550RK;",
        "4 - СА-4 (ST-704);",
        "5 - PC1555RKZ;",
        "6 - Orion KL 4TD;",
        "7 - Orion KL 16;",
        "8 - Макс-4022;",
        "9 - Макс-8748;",
        "10 - PARADOX 1686 (H/V);",
        "11 - PC3000RK;",
        "12 - Orion KL 8T;",
        "13 - Orion KL 12T;",
        "14 +",
    };
}

constexpr const char* TemperatureHint = "Допускаются дробные числа и знак минус, например:\n12.5\n-3\n45.2\n0\n-18.8";

// The comment memo starts as a short guide: what the field is for, then the hot keys.
QStringList MemoLines()
{
    return {
        "В данном поле пользователь может записать комментарий к конфигурации (сохраняется только в файле на компьютере).",
        "",
        "\"Горячие клавиши\":",
        "Crtl+R - чтение установок;",
        "Crtl+W - запись установок",
        "Crtl+O - открытие из файла;",
        "Crtl+S - запись в файл;",
        "F5 - обновить (открыть изначальный 1_Start);",
        "Crtl+Q - обновить список СОМ портов системы;",
        "Crtl+M - запоминание шлейфов;",
        "Crtl+1 - установить нулевую задержку на вход/выход всех зон;",
        "Crtl+2 - разрешить изменение периода передачи состояния зон;",
        "Crtl+3 - установить для всех зон тип схемы НР;",
    };
}

} // namespace

std::vector<SettingDef> HardwareSettings()
{
    std::vector<SettingDef> rows;
    AddFlags(rows, Page, HardwareFlags);

    const QStringList bytes = NumberItems(0, 256);
    rows.push_back(ChoiceSetting(Page, "EeAdr_SLAVE_ADRESS", "Адрес:", SlaveAddressItems(), 1));
    rows.push_back(ChoiceSetting(Page, "EeAdr_VARIANT_ZNS", "Варианты распределения зон:", ZoneVariantItems(), 0));
    rows.push_back(ChoiceSetting(Page, "EeAdr_PER_TST_MESS", "Период передачи тестовых сообщений на ПЦН:", bytes, -1,
                                 "Необходимо ввести число, в еденице 2 мин. При значении 0 период равен 1 мин., "
                                 "при значении 99 тесты не передаются."));
    rows.push_back(ChoiceSetting(Page, "EeAdr_PER_STS_CH", "Период передачи состояния зон:", bytes, -1,
                                 "Меняйте если знаете что это."));
    // Locked until Ctrl+2, so that it is not changed by chance.
    rows.back().disabledAtStart = true;
    rows.push_back(ChoiceSetting(Page, "EeAdr_TypeKeybord", "Тип пульта (клавиатуры):", KeypadItems(), 0));

    // Their labels are the frame's numbered steps (model/pages.h).
    rows.push_back(TextSetting(Page, SettingKind::NumberText, "EeAdr_DS18B20_on_HI", "", "0", 8, TemperatureHint));
    rows.push_back(TextSetting(Page, SettingKind::NumberText, "EeAdr_DS18B20_off_HI", "", "0", 8, TemperatureHint));
    return rows;
}

std::vector<SettingDef> UserSettings()
{
    SettingDef grid;
    grid.name = "SG";
    grid.kind = SettingKind::Grid;
    grid.page = UsersPage;
    // Column 1, the code records, goes to the panel; the descriptions stay in files.
    grid.inPanel = true;

    SettingDef keepCodes = FlagSetting(UsersPage, "CkeckSavePess", "сохранять пароли (коды) в шаблоне конфигурации");
    keepCodes.defaultChecked = true;
    keepCodes.inPanel = false;

    return {grid,
            TextSetting(UsersPage, SettingKind::CodeText, "EeAdr_PassInstalator", "Пароль установщика:", "90817", 32,
                        "Изначально 90817"),
            keepCodes};
}

SettingDef MemoSetting()
{
    SettingDef memo;
    memo.name = "AboutMemo";
    memo.kind = SettingKind::Memo;
    memo.defaultLines = MemoLines();
    return memo;
}

} // namespace catalogue
