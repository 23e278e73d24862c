#include "service/monitorlisting.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

MonitorStatus block(std::initializer_list<std::pair<int, int>> bytes)
{
    MonitorStatus status;
    for (const auto& [index, value] : bytes)
        status.bytes[size_t(index)] = quint8(value);
    return status;
}

MonitorView view(const MonitorStatus& status)
{
    return decodeMonitorStatus(status, QLocale::c());
}

TEST(MonitorListingTest, BeforeTheFirstBlockTheDesignCaptionsShow)
{
    const QStringList lines = MonitorListing().lines();
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"[Питание]", "Uin=V", "BAT=%", "[Зоны (не используемая зона в обрыве)]"}));
    EXPECT_TRUE(lines.contains("Зона 16:"));
    EXPECT_TRUE(lines.contains("Датчик 01:"));
    EXPECT_TRUE(lines.contains("t = C"));
    EXPECT_TRUE(lines.contains("SwitchLed_POWER=off"));
    EXPECT_FALSE(lines.join('\n').contains("underlined"));
}

TEST(MonitorListingTest, GroupsComeInThePagesOrder)
{
    MonitorListing listing;
    listing.apply(view(MonitorStatus{}));
    const QStringList lines = listing.lines();
    const QStringList order = {
        "[Питание]", "Uin=0.0V", "[Зоны (не используемая зона в обрыве)]", "Зона 01: Сост.: Снято, Резист.: КЗ",
        "[Выхода]", "ОК 1: Выключен", "[Тампера]", "Корпус ППК: Норма", "[Тампера и Батарейки VLN]",
        "Датчик 16: Норма и Норма", "[Slave]", "Тампер: Норма", "[Неисправности]", "1-220В: Норма", "12 - ",
        "Пользов.: 0", "[Звук]", "SwitchLed_BUZZER=off", "[Температура]", "t = 0 C", "[Клавиатура]",
        "SwitchLed_POWER=off", "SwitchLed_GR_1=off", "SwitchLed_CH_16=off", "sLabel_D_0=underlined",
        "[Выносные светодиоды состояния охраны]", "SwitchLed_LED_GR_D=off"};
    qsizetype at = -1;
    for (const QString& line : order) {
        SCOPED_TRACE(line.toStdString());
        const qsizetype found = lines.indexOf(line);
        EXPECT_GT(found, at);
        at = found;
    }
    EXPECT_EQ(lines.last(), "SwitchLed_LED_GR_D=off");
}

// Every text and lamp of a decoded block shows exactly once, so none is left out.
TEST(MonitorListingTest, EveryTextAndLampOfABlockShowsOnce)
{
    const MonitorView decoded = view(block({{2, 0x3F}, {3, 0xF7}, {4, 0x0F}, {5, 0x3F}, {7, 0x1F}, {8, 0xF0},
                                            {9, 0x7F}, {10, 0xFF}, {11, 0xFF}, {12, 27}, {47, 0xFF}}));
    MonitorListing listing;
    listing.apply(decoded);
    const QStringList lines = listing.lines();
    for (const MonitorText& text : decoded.texts)
        EXPECT_EQ(lines.count(text.text), 1) << text.text.toStdString();
    for (auto it = decoded.lamps.cbegin(); it != decoded.lamps.cend(); ++it)
        EXPECT_EQ(lines.count(it.key() + (it.value() ? "=on" : "=off")), 1) << it.key().toStdString();
    EXPECT_EQ(lines.count("sLabel_D_sharp=underlined"), 1);
}

TEST(MonitorListingTest, ATextTheBlockLeavesAloneStaysAndTheKeyFollowsTheBlock)
{
    MonitorListing listing;
    listing.apply(view(block({{1, 10}, {12, 5}})));
    listing.apply(view(block({{1, 0x0B}, {12, 11}})));
    const QStringList lines = listing.lines();
    EXPECT_TRUE(lines.contains("BAT=100%"));
    // 11 is what the keypad sends for "*", not what the panel reports: no button.
    EXPECT_FALSE(lines.join('\n').contains("underlined"));
}

} // namespace
