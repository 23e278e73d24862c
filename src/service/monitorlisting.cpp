#include "service/monitorlisting.h"

#include <QList>

namespace {

constexpr int Zones = 16;
constexpr int Groups = 4;

struct Caption {
    QString name;
    QString caption;
};

// A group of the page; one without a title is a control of its own (sLabel_USER).
struct ListedGroup {
    QString title;
    QList<Caption> labels;
    QStringList lamps;
    bool keypad = false; // also shows the underlined button
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QList<Caption> numbered(const QString& name, const QString& caption)
{
    QList<Caption> labels;
    for (int n = 1; n <= Zones; ++n)
        labels.append({name + twoDigits(n), caption + ' ' + twoDigits(n) + ':'});
    return labels;
}

QStringList keypadLamps()
{
    QStringList lamps{"SwitchLed_POWER", "SwitchLed_FAULT", "SwitchLed_MODEM"};
    for (const char* colour : {"SwitchLed_GR_", "SwitchLed_AL_"})
        for (int g = 1; g <= Groups; ++g)
            lamps << colour + QString::number(g);
    for (int zone = 1; zone <= Zones; ++zone)
        lamps << "SwitchLed_CH_" + twoDigits(zone);
    return lamps;
}

QList<ListedGroup> buildGroups()
{
    return {
        {"Питание", {{"sLabel_Uin", "Uin=V"}, {"sLabel_LB", "BAT=%"}}, {}},
        {"Зоны (не используемая зона в обрыве)", numbered("sLabel_ZN_", "Зона"), {}},
        {"Выхода",
         {{"sLabel_OK1", "ОК 1:"}, {"sLabel_OK2", "ОК 2:"}, {"sLabel_OK3", "ОК 3:"},
          {"sLabel_TERMOSTAT", "Термостат:"}, {"sLabel_VIRTUAL1", "Вирт.вых.1:"}},
         {}},
        {"Тампера",
         {{"sLabel_TAMPER_PPK", "Корпус ППК:"}, {"sLabel_TAMPER_SLAVE", "Slave:"},
          {"sLabel_TAMPER_KEYBORD", "Клавиатура:"}, {"sLabel_TAMPER_KEY_SABOTAGE", "Клав. откл.:"},
          {"sLabel_TAMPER_ZONES", "Зоны:"}, {"sLabel_TAMPER_LIND", "Считыват.:"}},
         {}},
        {"Тампера и Батарейки VLN", numbered("sLabel_RZ_", "Датчик"), {}},
        {"Slave",
         {{"sLabel_SLAVE_220", "220В:"}, {"sLabel_SLAVE_AKUM", "Аккум:"}, {"sLabel_SLAVE_SIRENA", "Сирена:"},
          {"sLabel_SLAVE_TAMPER", "Тампер:"}},
         {}},
        {"Неисправности",
         {{"sLabelFAULT_220", "1-220В:"}, {"sLabel_FAULT_AKUM", "2-Аккум.:"}, {"sLabelFAULT_OK1", "3-OK1:"},
          {"sLabelFAULT_TL", "4-TL-GSM:"}, {"sLabelFAULT_EXT", "5-Расшир.:"}, {"sLabelFAULT_LIND", "6-Считыв.:"},
          {"sLabelFAULT_TAMPER", "7-Тампер:"}, {"sLabel_FAULT_TAMP_KLAVIATURA", "8-Тамп. кл.:"},
          {"sLabel_FAULT_TAMP_SENSORS", "9-Тамп. дат.:"}, {"sLabel_FAULT_BAT_SENS", "10-Бат.дат:"},
          {"sLabel_FAULT_POWER", "11-Пит.:"}, {"sLabel_FAULT_12", "12 - "}},
         {}},
        {{}, {{"sLabel_USER", "Пользов.:"}}, {}},
        {"Звук", {}, {"SwitchLed_BUZZER"}},
        {"Температура", {{"sLabel_MON_TEMPEATURA", "t = C"}}, {}},
        {"Клавиатура", {}, keypadLamps(), true},
        {"Выносные светодиоды состояния охраны", {},
         {"SwitchLed_LED_GR_A", "SwitchLed_LED_GR_B", "SwitchLed_LED_GR_C", "SwitchLed_LED_GR_D"}},
    };
}

const QList<ListedGroup>& listedGroups()
{
    static const QList<ListedGroup> groups = buildGroups();
    return groups;
}

} // namespace

MonitorListing::MonitorListing()
{
    for (const ListedGroup& group : listedGroups())
        for (const Caption& label : group.labels)
            texts_.insert(label.name, label.caption);
}

void MonitorListing::apply(const MonitorView& view)
{
    for (auto it = view.texts.cbegin(); it != view.texts.cend(); ++it)
        texts_.insert(it.key(), it.value().text);
    for (auto it = view.lamps.cbegin(); it != view.lamps.cend(); ++it)
        lamps_.insert(it.key(), it.value());
    underlinedKey_ = view.underlinedKey;
}

QStringList MonitorListing::lines() const
{
    QStringList lines;
    for (const ListedGroup& group : listedGroups()) {
        if (!group.title.isEmpty())
            lines << '[' + group.title + ']';
        for (const Caption& label : group.labels)
            lines << texts_.value(label.name);
        for (const QString& lamp : group.lamps)
            lines << lamp + (lamps_.value(lamp) ? "=on" : "=off");
        if (group.keypad && !underlinedKey_.isEmpty())
            lines << underlinedKey_ + "=underlined";
    }
    return lines;
}
