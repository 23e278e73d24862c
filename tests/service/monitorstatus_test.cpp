#include "service/monitorstatus.h"
#include "service/zonestatetext.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <utility>

namespace {

const QLocale point = QLocale::c();
const QLocale comma(QLocale::German, QLocale::Germany);

MonitorStatus block(std::initializer_list<std::pair<int, int>> bytes)
{
    MonitorStatus status;
    for (const auto& [index, value] : bytes)
        status.bytes[size_t(index)] = quint8(value);
    return status;
}

QString textOf(const MonitorView& view, const QString& label)
{
    return view.texts.value(label).text;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

TEST(MonitorStatusBlock, TakesExactlyFiftyThreeBytes)
{
    EXPECT_FALSE(MonitorStatus::fromBytes(QByteArray(52, 'x')));
    EXPECT_FALSE(MonitorStatus::fromBytes(QByteArray(54, 'x')));
    QByteArray data(53, '\0');
    data[0] = char(0xBE);
    data[52] = char(0xFF);
    const auto status = MonitorStatus::fromBytes(data);
    ASSERT_TRUE(status);
    EXPECT_EQ((*status)[0], 0xBE);
    EXPECT_EQ((*status)[52], 0xFF);
}

TEST(MonitorDecode, ZeroBlockShowsEverythingClear)
{
    const MonitorView view = decodeMonitorStatus(MonitorStatus{}, point);

    EXPECT_EQ(textOf(view, "sLabel_Uin"), "Uin=0.0V");
    EXPECT_EQ(textOf(view, "sLabel_LB"), "BAT=0%");
    EXPECT_EQ(textOf(view, "sLabel_TAMPER_SLAVE"), "Slave ППК: Норма");
    EXPECT_EQ(textOf(view, "sLabelFAULT_EXT"), "5-Расшир.: Норма");
    EXPECT_EQ(textOf(view, "sLabel_FAULT_AKUM"), "2-Акум.: Норма");
    EXPECT_EQ(textOf(view, "sLabel_OK3"), "ОК 3: Выключен");
    EXPECT_EQ(textOf(view, "sLabel_USER"), "Пользов.: 0");
    EXPECT_EQ(textOf(view, "sLabel_MON_TEMPEATURA"), "t = 0 C");
    EXPECT_EQ(view.underlinedKey, "sLabel_D_0");
    for (int n = 1; n <= 16; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(textOf(view, "sLabel_ZN_" + twoDigits(n)), "Зона " + twoDigits(n) + ": Сост.: Снято, Резист.: КЗ");
        EXPECT_EQ(textOf(view, "sLabel_RZ_" + twoDigits(n)), "Датчик " + twoDigits(n) + ": Норма и Норма");
    }
    // 2 supply, 26 two-state, user, temperature, 16 zones, 16 detectors.
    EXPECT_EQ(view.texts.size(), 62);
    for (const MonitorText& text : view.texts)
        EXPECT_EQ(text.emphasis, TextEmphasis::Plain) << text.text.toStdString();
    EXPECT_EQ(view.lamps.size(), 32);
    for (auto it = view.lamps.cbegin(); it != view.lamps.cend(); ++it)
        EXPECT_FALSE(it.value()) << it.key().toStdString();
}

// Every single bit of bytes 2 to 5 against the labels it must turn to their "set" text.
struct TwoStateCase {
    int byte;
    int bit;
    std::vector<std::pair<const char*, const char*>> setTexts;
};

class MonitorTwoStates : public testing::TestWithParam<TwoStateCase> {};

TEST_P(MonitorTwoStates, OneBitSetsExactlyItsLabels)
{
    const TwoStateCase& c = GetParam();
    const MonitorView clear = decodeMonitorStatus(MonitorStatus{}, point);
    const MonitorView view = decodeMonitorStatus(block({{c.byte, 1 << c.bit}}), point);

    int changed = 0;
    for (auto it = view.texts.cbegin(); it != view.texts.cend(); ++it)
        changed += it.value().text != clear.texts.value(it.key()).text;
    EXPECT_EQ(changed, int(c.setTexts.size()));
    for (const auto& [label, text] : c.setTexts)
        EXPECT_EQ(textOf(view, label), QString::fromUtf8(text)) << label;
}

INSTANTIATE_TEST_SUITE_P(Bits, MonitorTwoStates, testing::Values(
    TwoStateCase{2, 0, {{"sLabel_TAMPER_PPK", "Корпус ППК: ТРИВОГА"}, {"sLabelFAULT_TAMPER", "7-Тампер: ТРИВОГА"}}},
    TwoStateCase{2, 1, {{"sLabel_TAMPER_SLAVE", "Slave: ТРИВОГА"}}},
    TwoStateCase{2, 2, {{"sLabel_TAMPER_KEYBORD", "Клавиатура: ТРИВОГА"},
                        {"sLabel_FAULT_TAMP_KLAVIATURA", "8-Тамп. кл.: ТРИВОГА"}}},
    TwoStateCase{2, 3, {{"sLabel_TAMPER_KEY_SABOTAGE", "Клав. откл.: ТРИВОГА"}}},
    TwoStateCase{2, 4, {{"sLabel_TAMPER_ZONES", "Зоны: ТРИВОГА"}}},
    TwoStateCase{2, 5, {{"sLabel_TAMPER_LIND", "Считыват.: ТРИВОГА"}, {"sLabelFAULT_LIND", "6-Счит.: ТРИВОГА"}}},
    TwoStateCase{2, 6, {}}, TwoStateCase{2, 7, {}},
    TwoStateCase{3, 0, {{"sLabel_OK1", "ОК 1: ВКЛЮЧЕН"}}},
    TwoStateCase{3, 1, {{"sLabel_OK2", "ОК 2: ВКЛЮЧЕН"}}},
    TwoStateCase{3, 2, {{"sLabel_OK3", "ОК 3: ВКЛЮЧЕН"}}},
    TwoStateCase{3, 3, {}},
    TwoStateCase{3, 4, {{"sLabelFAULT_220", "1-220В: ОТСУТ."}}},
    TwoStateCase{3, 5, {{"sLabel_FAULT_AKUM", "2-Акум.: ОТСУТ."}}},
    TwoStateCase{3, 6, {{"sLabel_TERMOSTAT", "Термостат: ВКЛЮЧЕН"}}},
    TwoStateCase{3, 7, {{"sLabel_VIRTUAL1", "Вирт.вых.1: ВКЛЮЧЕН"}}},
    TwoStateCase{4, 0, {{"sLabel_SLAVE_220", "220В: ОТСУТСТВУЕТ"}}},
    TwoStateCase{4, 1, {{"sLabel_SLAVE_AKUM", "Аккум: ОТСУТСТВУЕТ"}}},
    TwoStateCase{4, 2, {{"sLabel_SLAVE_SIRENA", "Сирена: НАРУШЕНА"}}},
    TwoStateCase{4, 3, {{"sLabel_SLAVE_TAMPER", "Тампер: ТРЕВОГА"}}},
    TwoStateCase{4, 4, {}}, TwoStateCase{4, 7, {}},
    TwoStateCase{5, 0, {{"sLabelFAULT_OK1", "3-OK1: НЕИСПР."}}},
    TwoStateCase{5, 1, {{"sLabelFAULT_TL", "4-TL-GSM: НЕИСПР."}}},
    TwoStateCase{5, 2, {{"sLabelFAULT_EXT", "5-Расш.: НЕИСПР."}}},
    TwoStateCase{5, 3, {{"sLabel_FAULT_TAMP_SENSORS", "9-Тамп. дат.: ТРЕВОГА"}}},
    TwoStateCase{5, 4, {{"sLabel_FAULT_BAT_SENS", "10-Бат.дат: НЕИСПР."}}},
    TwoStateCase{5, 5, {{"sLabel_FAULT_POWER", "11-Пит.: НЕИСПР."}}},
    TwoStateCase{5, 6, {}}, TwoStateCase{5, 7, {}}));

TEST(MonitorDecode, EmphasisMarksAlarmsAndSwitchedOutputs)
{
    const MonitorView view = decodeMonitorStatus(block({{2, 0x01}, {3, 0x01}, {15, 0x08}, {16, 0x04}, {47, 0x04}}), point);
    EXPECT_EQ(view.texts.value("sLabel_TAMPER_PPK").emphasis, TextEmphasis::Alert);
    EXPECT_EQ(view.texts.value("sLabel_OK1").emphasis, TextEmphasis::Active);
    EXPECT_EQ(view.texts.value("sLabel_OK2").emphasis, TextEmphasis::Plain);
    EXPECT_EQ(view.texts.value("sLabel_ZN_01").emphasis, TextEmphasis::Alert);
    EXPECT_EQ(view.texts.value("sLabel_ZN_02").emphasis, TextEmphasis::Active);
    EXPECT_EQ(view.texts.value("sLabel_ZN_03").emphasis, TextEmphasis::Plain);
    EXPECT_EQ(view.texts.value("sLabel_RZ_03").emphasis, TextEmphasis::Alert);
}

TEST(MonitorDecode, SupplyVoltageToTheNearestTenth)
{
    const std::pair<int, const char*> cases[] = {
        {0, "Uin=0.0V"}, {190, "Uin=13.9V"}, {255, "Uin=18.6V"},
        // 50 x 0.073 is exactly 3.65: a half rounds up, whatever binary floating point makes of it.
        {50, "Uin=3.7V"}, {150, "Uin=11.0V"},
    };
    for (const auto& [byte, text] : cases) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(textOf(decodeMonitorStatus(block({{0, byte}}), point), "sLabel_Uin"), text);
    }
}

TEST(MonitorDecode, BatteryElevenToFifteenLeavesTheLabel)
{
    const std::pair<int, const char*> cases[] = {
        {0x3A, "BAT=100%"}, {0x05, "BAT=50%"}, {0xF7, "BAT=70%"}, {0x0B, nullptr}, {0x0F, nullptr}, {0x1C, nullptr},
    };
    for (const auto& [byte, text] : cases) {
        SCOPED_TRACE(byte);
        const MonitorView view = decodeMonitorStatus(block({{1, byte}}), point);
        if (text)
            EXPECT_EQ(textOf(view, "sLabel_LB"), text);
        else
            EXPECT_FALSE(view.texts.contains("sLabel_LB"));
    }
}

TEST(MonitorDecode, LastKeyUnderlinesOneButtonByItsStatusCode)
{
    const std::pair<int, const char*> cases[] = {
        {0, "sLabel_D_0"}, {1, "sLabel_D_1"}, {5, "sLabel_D_5"}, {9, "sLabel_D_9"},
        {26, "sLabel_D_star"}, {27, "sLabel_D_sharp"},
        // The codes the keypad sends for "#" and "*" name no button here.
        {10, ""}, {11, ""}, {12, ""}, {255, ""},
    };
    for (const auto& [code, name] : cases) {
        SCOPED_TRACE(code);
        EXPECT_EQ(decodeMonitorStatus(block({{12, code}}), point).underlinedKey, name);
    }
}

TEST(MonitorDecode, EachLampFollowsItsBit)
{
    // Bytes 7 to 11, bit 0 first; empty for a bit nothing shows.
    const std::vector<std::vector<QString>> lampsByByte = {
        {"BUZZER", "LED_GR_A", "LED_GR_B", "LED_GR_C", "LED_GR_D", "", "", ""},
        {"", "", "", "", "GR_3", "GR_4", "AL_3", "AL_4"},
        {"POWER", "MODEM", "FAULT", "GR_1", "GR_2", "AL_1", "AL_2", ""},
        {"CH_01", "CH_02", "CH_03", "CH_04", "CH_05", "CH_06", "CH_07", "CH_08"},
        {"CH_09", "CH_10", "CH_11", "CH_12", "CH_13", "CH_14", "CH_15", "CH_16"},
    };
    for (int i = 0; i < int(lampsByByte.size()); ++i)
        for (int bit = 0; bit < 8; ++bit) {
            SCOPED_TRACE(testing::Message() << "byte " << 7 + i << " bit " << bit);
            const MonitorView view = decodeMonitorStatus(block({{7 + i, 1 << bit}}), point);
            QStringList lit;
            for (auto it = view.lamps.cbegin(); it != view.lamps.cend(); ++it)
                if (it.value())
                    lit << it.key();
            const QString& expected = lampsByByte[size_t(i)][size_t(bit)];
            EXPECT_EQ(lit, expected.isEmpty() ? QStringList() : QStringList{"SwitchLed_" + expected});
        }
}

TEST(MonitorDecode, TemperatureIsSignAndMagnitudeInSixteenths)
{
    const std::pair<int, const char*> cases[] = {
        {0x0000, "t = 0 C"}, {0x0800, "t = -0 C"}, {0xF000, "t = 3840 C"}, {401, "t = 25.0625 C"},
        {2056, "t = -0.5 C"}, {0x0001, "t = 0.0625 C"}, {0xFFFF, "t = -3967.9375 C"},
    };
    for (const auto& [word, text] : cases) {
        SCOPED_TRACE(word);
        const MonitorView view = decodeMonitorStatus(block({{13, word >> 8}, {14, word & 0xFF}}), point);
        EXPECT_EQ(textOf(view, "sLabel_MON_TEMPEATURA"), text);
    }
}

TEST(MonitorDecode, CommaLocaleSeparatesDecimalsWithoutGrouping)
{
    const MonitorView view = decodeMonitorStatus(block({{0, 190}, {13, 0xF1}, {14, 0x91}, {31, 50}}), comma);
    EXPECT_EQ(textOf(view, "sLabel_Uin"), "Uin=13,9V");
    EXPECT_EQ(textOf(view, "sLabel_MON_TEMPEATURA"), "t = 3865,0625 C");
    EXPECT_EQ(textOf(view, "sLabel_ZN_01"), "Зона 01: Сост.: Снято, Резист.: 1,1k");
}

TEST(MonitorDecode, ZoneAndDetectorBytesByNumber)
{
    const MonitorView view = decodeMonitorStatus(
        block({{30, 0x04}, {46, 50}, {47, 0x04}, {50, 0x04}, {48, 0x01}, {51, 0x80}, {6, 17}}), point);
    EXPECT_EQ(textOf(view, "sLabel_ZN_16"), "Зона 16: Сост.: НА ОХРАНЕ, Резист.: 1.1k");
    EXPECT_EQ(textOf(view, "sLabel_ZN_15"), "Зона 15: Сост.: Снято, Резист.: КЗ");
    EXPECT_EQ(textOf(view, "sLabel_RZ_03"), "Датчик 03: ТРЕВ. и НЕИСПР.");
    EXPECT_EQ(textOf(view, "sLabel_RZ_09"), "Датчик 09: ТРЕВ. и Норма");
    EXPECT_EQ(textOf(view, "sLabel_RZ_16"), "Датчик 16: Норма и НЕИСПР.");
    EXPECT_EQ(textOf(view, "sLabel_RZ_01"), "Датчик 01: Норма и Норма");
    EXPECT_EQ(textOf(view, "sLabel_USER"), "Пользов.: 17");
}

TEST(ZoneState, FirstMatchingStateWordThenResistanceClass)
{
    struct Case {
        int state;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {0x00, 200, "Снято, Резист.: ОБРЫВ"},
        {0x13, 4, "НАРУШЕНА, Резист.: КЗ"},
        {0x80, 0, "НАРУШЕНА, Резист.: КЗ"},
        {0x09, 3, "ТРЕВОГА, Резист.: КЗ"},
        {0x06, 5, "ВХОД, Резист.: 0.1k"},
        {0x05, 50, "НА ОХРАНЕ, Резист.: 1.1k"},
        {0x01, 120, "ВЫХОД, Резист.: 7.3k"},
        {0x00, 121, "Снято, Резист.: >8k"},
        {0x00, 143, "Снято, Резист.: >8k"},
        {0x00, 144, "Снято, Резист.: ОБРЫВ"},
        {0x00, 255, "Снято, Резист.: ОБРЫВ"},
        // Class edges: 32 x 17.7 and 33 x 20.1 ohms, 116 x 56.9 and 117 x 60.8.
        {0x00, 32, "Снято, Резист.: 0.6k"},
        {0x00, 33, "Снято, Резист.: 0.7k"},
        {0x00, 116, "Снято, Резист.: 6.6k"},
        {0x00, 117, "Снято, Резист.: 7.1k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.state << " code " << c.code);
        EXPECT_EQ(ZoneStateText(quint8(c.state), quint8(c.code), point), QString::fromUtf8(c.text));
    }
}

} // namespace
