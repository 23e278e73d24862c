#include "model/catalogue.h"
#include "model/catalogue_rows.h"

namespace catalogue {

namespace {

constexpr const char* Page = "TS_Zones";
constexpr int Zones = 16;

// One column of the zone table; its 16 members differ only in the zone number.
struct ZoneColumn {
    const char* family;
    SettingKind kind;
    const char* heading;
    const char* hint;
    QStringList items;
    int defaultIndex;
    const char* defaultText;
    int maxLength;
};

QStringList LoopTypeItems()
{
    return {"Не испол.", "NC", "NO", "EOL"};
}

QStringList AlgorithmItems()
{
    return {
        "--------------------------",
        "С задержкой",
        "Автовосстанавливаемая",
        "24-х часовая",
        "Перекресная",
        "Внутренняя",
        "Тревожная кнопка",
        "Управление",
        "Информационная",
        "Информационная 2",
    };
}

std::vector<ZoneColumn> Columns()
{
    const QStringList bytes = NumberItems(0, 256);
    const QStringList numbers = NumberItems(1, Zones);
    using K = SettingKind;
    return {
            {"sEdit_TEXT_ZN", K::FreeText, "Название", "", {}, -1, "Зона", 0},
            {"EeAdr_TypeZone", K::Choice, "Тип схемы:", "Тип схемного включения шлейфов", LoopTypeItems(), -1, "", 0},
            {"EeAdr_Algoritm", K::Choice, "Алгоритм:", "Алгоритм обработки шлейфов", AlgorithmItems(), 0, "", 0},
            {"EeAdr_DelEXIT", K::Choice, "Выход:",
             "Задержка в секундах на выход из помещения.\nВ течении этого времени можно выйти из охраняемого "
             "помещения после постановки системы под охрану, не вызывая тревоги. Для каждой зоны можно "
             "индивидуально установить время.",
             bytes, -1, "", 0},
            {"EeAdr_DelVhod", K::Choice, "Вход:",
             "Задержка в секундах на вход в помещение.\nВ течении этого времени задерживается выработка сигнала "
             "тревоги при подходе к устройству снятия охраны. Для каждой зоны можно индивидуально установить время.",
             bytes, -1, "", 0},
            {"EeAdr_Zone_1_8_GR_A", K::Flag, "A", "Привязка зон к группе №1", {}, -1, "", 0},
            {"EeAdr_Zone_1_8_GR_B", K::Flag, "B", "Привязка зон к группе №2", {}, -1, "", 0},
            {"EeAdr_Zone_1_8_GR_C", K::Flag, "C", "Привязка зон к группе №3", {}, -1, "", 0},
            {"EeAdr_Zone_1_8_GR_D", K::Flag, "D", "Привязка зон к группе №4", {}, -1, "", 0},
            {"EeAdr_GR_A_AvtoIskl_1_8", K::Flag, "Авто", "Автоисключаемые зоны (режим \"Остаюсь дома\")", {}, -1, "", 0},
            {"EeAdr_ZonNotBuz_1_8", K::Flag, "ОК1", "Зоны, которые не включают выход сирены ОК1", {}, -1, "", 0},
            {"EeAdr_ZONES_1_8_OKRES", K::Flag, "ОК3", "Привязка зон к выходу ОК3", {}, -1, "", 0},
            {"EeAdr_ShiftZones", K::Choice, "Номер",
             "Переназначение местами номеров зон. Одна зона только в одном месте может быть выбрана", numbers, -1, "", 0},
            {"EeAdr_COD_CID_EV", K::CodeText, "CID тр.", "Код события при ТРЕВОГЕ", {}, -1, "1130", 4},
            {"EeAdr_COD_CID_RES", K::CodeText, "CID вос.", "Код события при восстановлении тревоги", {}, -1, "3130", 4},
        };
    }

    SettingDef Member(const ZoneColumn& column, int zone)
    {
        SettingDef def;
        def.family = QString::fromUtf8(column.family);
        def.zone = zone;
        def.name = ZoneMemberName(def.family, zone);
        def.kind = column.kind;
        def.page = Page;
        def.caption = QString::fromUtf8(column.heading);
        def.hint = QString::fromUtf8(column.hint);
        def.items = column.items;
        def.defaultIndex = column.defaultIndex;
        def.defaultText = QString::fromUtf8(column.defaultText);
        def.maxLength = column.maxLength;
        // The zone names label the rows for the installer only; everything else lives in the panel.
        def.inPanel = column.kind != SettingKind::FreeText;
        return def;
    }

    } // namespace

    std::vector<SettingDef> ZoneSettings()
    {
        std::vector<SettingDef> rows;
        for (const ZoneColumn& column : Columns())
            for (int zone = 1; zone <= Zones; ++zone)
                rows.push_back(Member(column, zone));
        return rows;
    }

    } // namespace catalogue
