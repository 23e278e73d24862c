#include "service/twostatetexts.h"

namespace {
constexpr TextEmphasis On = TextEmphasis::Active;
constexpr TextEmphasis Alarm = TextEmphasis::Alert;
}

// Faults 6, 7 and 8 repeat the reader, case and keypad tamper bits of byte 2.
const std::array<TwoStateText, 26> twoStateTexts = {{
    {2, 0, "sLabel_TAMPER_PPK", "Корпус ППК: ТРИВОГА", "Корпус ППК: Норма", Alarm},
    {2, 1, "sLabel_TAMPER_SLAVE", "Slave: ТРИВОГА", "Slave ППК: Норма", Alarm},
    {2, 2, "sLabel_TAMPER_KEYBORD", "Клавиатура: ТРИВОГА", "Клавиатура: Норма", Alarm},
    {2, 3, "sLabel_TAMPER_KEY_SABOTAGE", "Клав. откл.: ТРИВОГА", "Клав. откл.: Норма", Alarm},
    {2, 4, "sLabel_TAMPER_ZONES", "Зоны: ТРИВОГА", "Зоны: Норма", Alarm},
    {2, 5, "sLabel_TAMPER_LIND", "Считыват.: ТРИВОГА", "Считыват.: Норма", Alarm},
    {3, 0, "sLabel_OK1", "ОК 1: ВКЛЮЧЕН", "ОК 1: Выключен", On},
    {3, 1, "sLabel_OK2", "ОК 2: ВКЛЮЧЕН", "ОК 2: Выключен", On},
    {3, 2, "sLabel_OK3", "ОК 3: ВКЛЮЧЕН", "ОК 3: Выключен", On},
    {3, 6, "sLabel_TERMOSTAT", "Термостат: ВКЛЮЧЕН", "Термостат: Выключен", On},
    {3, 7, "sLabel_VIRTUAL1", "Вирт.вых.1: ВКЛЮЧЕН", "Вирт.вых.1: Выключен", On},
    {4, 0, "sLabel_SLAVE_220", "220В: ОТСУТСТВУЕТ", "220В: Норма", Alarm},
    {4, 1, "sLabel_SLAVE_AKUM", "Аккум: ОТСУТСТВУЕТ", "Аккум: Норма", Alarm},
    {4, 2, "sLabel_SLAVE_SIRENA", "Сирена: НАРУШЕНА", "Сирена: Норма", Alarm},
    {4, 3, "sLabel_SLAVE_TAMPER", "Тампер: ТРЕВОГА", "Тампер: Норма", Alarm},
    {3, 4, "sLabelFAULT_220", "1-220В: ОТСУТ.", "1-220В: Норма", Alarm},
    {3, 5, "sLabel_FAULT_AKUM", "2-Акум.: ОТСУТ.", "2-Акум.: Норма", Alarm},
    {5, 0, "sLabelFAULT_OK1", "3-OK1: НЕИСПР.", "3-OK1: Норма", Alarm},
    {5, 1, "sLabelFAULT_TL", "4-TL-GSM: НЕИСПР.", "4-TL-GSM: Норма", Alarm},
    {5, 2, "sLabelFAULT_EXT", "5-Расш.: НЕИСПР.", "5-Расшир.: Норма", Alarm},
    {2, 0, "sLabelFAULT_TAMPER", "7-Тампер: ТРИВОГА", "7-Тампер: Норма", Alarm},
    {2, 2, "sLabel_FAULT_TAMP_KLAVIATURA", "8-Тамп. кл.: ТРИВОГА", "8-Тамп. кл.: Норма", Alarm},
    {2, 5, "sLabelFAULT_LIND", "6-Счит.: ТРИВОГА", "6-Счит.: Норма", Alarm},
    {5, 3, "sLabel_FAULT_TAMP_SENSORS", "9-Тамп. дат.: ТРЕВОГА", "9-Тамп. дат.: Норма", Alarm},
    {5, 4, "sLabel_FAULT_BAT_SENS", "10-Бат.дат: НЕИСПР.", "10-Бат.дат: Норма", Alarm},
    {5, 5, "sLabel_FAULT_POWER", "11-Пит.: НЕИСПР.", "11-Пит.: Норма", Alarm},
}};
