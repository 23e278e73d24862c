#include "model/pages.h"

#include <algorithm>

const std::vector<PageFacts>& Pages()
{
    static const std::vector<PageFacts> pages = {
        {"TS_Main", " --- Главная --- "},
        {"TS_Apparatura", " --- Аппаратура --- "},
        {"TS_Zones", " --- Зоны --- "},
        {"TS_Users", " --- Пользователи --- "},
        {"TS_Outputs", " --- Выходы  --- "},
        {"TS_Others", " --- Другие опции --- "},
        {"TS_Monitor", " --- Мониторинг --- "},
    };
    return pages;
}

const PageFacts* FindPage(const QString& name)
{
    const auto& pages = Pages();
    const auto it = std::find_if(pages.begin(), pages.end(), [&](const PageFacts& page) { return page.name == name; });
    return it == pages.end() ? nullptr : &*it;
}

const HardwarePageTexts& HardwareTexts()
{
    static const HardwarePageTexts texts = {
        "(при программировании TL-GSM для Z1 указать НЗ)",
        "Контроллер температуры",
        "1. Установить галочки режим ТМ и дополнительный бит для ТМ",
        "2. Записать большее значение для активации:",
        "3. Записать меньшее значение для деактивации:",
        "Прочитать температуру",
    };
    return texts;
}

const QStringList& UserTableHeadings()
{
    static const QStringList headings = {"№", "Пароль/Код", "Описание"};
    return headings;
}
