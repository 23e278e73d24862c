#include "model/catalogue_rows.h"

namespace catalogue {

namespace {

constexpr const char* OutputsPage = "TS_Outputs";
constexpr const char* OthersPage = "TS_Others";

// How OK3 behaves, top to bottom.
constexpr FlagRow Ok3Flags[] = {
    {"_eee_OkResGR_B", "выход ОК3 работает в режиме выносного светодиода группы \"В\""},
    {"_eee_ReservWhenPass", "ОК3 кратковременно включается при вводе пароля"},
    {"_eee_RES_Inv", "выход ОК3 работает в двухстабильном режиме "},
    {"_eee_OkResAndOrBit", "при привязке к ШС ОК3 работает по условию \"И\" (если не установлено по \"ИЛИ\")"},
    {"_eee_OkResShow220V", "ОК3 без задержки включается при отсутствии 220 В"},
    {"_eee_OkResAnyCHSts", "ОК3 при привязке к зонам включается при любом их нарушении | На охране все группы"},
    {"_eee_OkResSTS_A", "ОК3 дополнительный светодиод группы А"},
    {"_eee_OkResGR_D", "выход ОК3 работает в режиме выносного светодиода группы \"D\""},
};

constexpr FlagRow VirtualOutputFlags[] = {
    {"_eee_EnVirtOut_1", "Разр. вирт. выход 1 (управление ОК1)"},
    {"_eee_EnVirtOut_2", "Разр. вирт. выход 2 (управление ОК2)"},
    {"_eee_EnVirtOut_3", "Разр. вирт. выход 3 (управление ОК3)"},
    {"_eee_EnVirtOut_4", "Разр. вирт. выход 4 (управление Вр. Кл.)"},
    {"_eee_EnVirtOut_5", "Разр. вирт. выход 5 (группа А)"},
    {"_eee_EnVirtOut_6", "Разр. вирт. выход 6 (группа В)"},
    {"_eee_EnVirtOut_7", "Разр. вирт. выход 7"},
    {"_eee_EnVirtOut_8", "Разр. вирт. выход 8"},
};

constexpr FlagRow OtherFlagsFirstColumn[] = {
    {"_eee_Control_IP", "проверять источник питания"},
    {"_eee_ControlSzo", "проверять на неисправность выход сирены ОК1"},
    {"_eee_VerFaultBefoArm", "проверять зоны в момент постановки на охрану"},
    {"_eee_OnKPDKlemmiLeds", "разрешить индикацию состояния групп C и D на клеммах DAT и CLK"},
    {"_eee_Z9Z10OnTl", "разрешить зоны 9 и 10 с платы TL"},
    {"_eee_SZOvenARM", "ОК1 кратковременно включается при взятии группы (сигнал сирены)"},
    {"_eee_SZObeepWhenPass", "ОК1 кратковременно включается при вводе пароля (сигнал сирены)"},
    {"_eee_ExtLedWhenPass", "ОК2 кратковременно включается при вводе пароля"},
    {"_eee_ExtLedShowGR_A", "на выносном светодиоде группы A расширенная индикация"},
    {"_eee_ExtLedShowGR_B", "на выносном светодиоде группы B расширенная индикация"},
    {"_eee_ExtLedShowGR_C", "на выносном светодиоде группы C расширенная индикация"},
    {"_eee_ExtLedShowGR_D", "на выносном светодиоде группы D расширенная индикация"},
};

constexpr FlagRow OtherFlagsSecondColumn[] = {
    {"_eee_OneCode_A_B", "один код для групп А и В"},
    {"_eee_EnableAlarmKey", "разрешить тревогу с клавиатуры при удержании кнопки [0]"},
    {"_eee_LimitBeeps", "ограничение звуковых сигналов пульта"},
    {"_eee_SendEvVhod", "передавать событие о начале входа в помещение"},
    {"_eee_DisVerTlFree", "не проверять наличие связи с ПЦН в момент постановки"},
    {"_eee_OK_BUZ_Inv", "инверсия выхода ОК1"},
    {"_eee_OK_LED_Inv", "инверсия выхода ОК2"},
    {"_eee_OK_RES_Inv", "инверсия выхода ОК3"},
    {"_eee_ChaimeOnAllChan", "режим выдачи звуков ШС Chime"},
    {"_eee_LED_EXT_COPY_KB", "светодиод на клавиатуре копирует группу А"},
    {"_eee_DONT_TL_FAULT", "не показывать неисправности коммуникатора"},
    {"_eee_NotVerTamperZone", "не проверять Тампер зон"},
    {"_eee_EnabZonTogle", "разрешить переключение отображения зон (1# и 2#)"},
};

QStringList TmModeItems()
{
    return {
        "0 - не используется",
        "1 - считыватель ТМ",
        "2 - тампер корпуса ППК",
        "3 - Зона 7 (15)",
        "4 - клавиатура УВС-КР",
        "5 - контроллер DS18B20",
        "6 - вход постан. гр.А ОБРЫВ",
        "7 - вход постан. гр.А КЗ",
        "8 - вход инверсии гр.А",
    };
}

QStringList ReaderCountItems()
{
    return {"0 - Отсутствие", "1", "2", "3", "4"};
}

} // namespace

std::vector<SettingDef> OutputSettings()
{
    const QStringList bytes = NumberItems(0, 256);
    std::vector<SettingDef> rows;
    rows.push_back(ChoiceSetting(OutputsPage, "EeAdr_SZO_TIMEOUT", "Время активного состояния выхода сирены ОК1:",
                                 bytes, -1, "Значение в минутах, при 0 выход не включается?"));
    rows.push_back(FlagSetting(OutputsPage, "_eee_SZO_in_sec", "Значение времени в секундах"));
    rows.push_back(ChoiceSetting(OutputsPage, "EeAdr_RESER_TIMEOUT", "Время активного состояния выхода ОК3:", bytes,
                                 -1, "Значение в секундах, при 0 время неограничено"));
    AddFlags(rows, OutputsPage, Ok3Flags);
    AddFlags(rows, OutputsPage, VirtualOutputFlags);
    return rows;
}

std::vector<SettingDef> OtherSettings()
{
    std::vector<SettingDef> rows;
    rows.push_back(ChoiceSetting(OthersPage, "sComboBox_TypeTM", "Режим клеммы ТМ", TmModeItems(), 0));
    rows.push_back(ChoiceSetting(OthersPage, "EeAdr_QtyLinds", "Кол. Линдов:", ReaderCountItems(), 0));
    rows.push_back(ChoiceSetting(OthersPage, "EeAdr_TimeOut220V", "Время пропажи 220В:", NumberItems(0, 256), -1));
    AddFlags(rows, OthersPage, OtherFlagsFirstColumn);
    AddFlags(rows, OthersPage, OtherFlagsSecondColumn);
    // The edit sits on the line of _eee_SendEvVhod and has no label of its own.
    rows.push_back(TextSetting(OthersPage, SettingKind::CodeText, "EeAdr_COD_VHOD", "", "1130", 4));
    return rows;
}

} // namespace catalogue
