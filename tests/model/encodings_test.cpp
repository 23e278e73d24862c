#include "model/encodings.h"

#include <gtest/gtest.h>

namespace {

const QLocale Comma(QLocale::Russian, QLocale::Russia);
const QLocale Point(QLocale::English, QLocale::UnitedStates);
const QLocale Plain = QLocale::c();

} // namespace

TEST(TemperatureWord, TextToWordUnderBothSeparators)
{
    struct Case {
        const QLocale* locale;
        QString text;
        std::optional<quint16> word;
    };
    const Case cases[] = {
        {&Comma, "-12,5", 0x08C8},
        {&Comma, "12,5", 0x00C8},
        {&Comma, "0", 0x0000},
        {&Comma, "0,0625", 0x0001},
        {&Comma, "0,03125", 0x0000},  // half a sixteenth: to the even count 0
        {&Comma, "0,09375", 0x0002},  // one and a half: to the even count 2
        {&Comma, "1,03125", 0x0010},  // 16.5 -> 16
        {&Comma, "1,09375", 0x0012},  // 17.5 -> 18
        {&Comma, "0,031250000000000000001", 0x0001}, // just above the half
        {&Comma, "127,9375", 0x07FF},
        {&Comma, "127,96874", 0x07FF},
        {&Comma, "-127,9375", 0x0FFF},
        {&Comma, "127,96875", std::nullopt}, // rounds to 2048
        {&Comma, "128", std::nullopt},
        {&Comma, "-1000", std::nullopt},
        {&Comma, "99999999999999999999", std::nullopt},
        {&Comma, ",5", 0x0008},
        {&Comma, "5,", 0x0050},
        {&Comma, "007", 0x0070},
        {&Comma, "-0", 0x0800}, // the minus sets bit 11 even for nothing
        {&Comma, "", std::nullopt},
        {&Comma, "-", std::nullopt},
        {&Comma, ",", std::nullopt},
        {&Comma, "12.5", std::nullopt}, // a point under a comma locale
        {&Comma, "1,2,3", std::nullopt},
        {&Comma, "--1", std::nullopt},
        {&Comma, "+5", std::nullopt},
        {&Comma, " 5", std::nullopt},
        {&Comma, "1e2", std::nullopt},
        {&Point, "12.5", 0x00C8},
        {&Point, "-18.8", 0x092D}, // 300.8 -> 301
        {&Point, "45.2", 0x02D3},  // 723.2 -> 723
        {&Point, "12,5", std::nullopt}, // the group separator is no decimal point
        {&Point, "1,000", std::nullopt},
        {&Plain, "-3", 0x0830},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.locale->name() + " \"" + c.text + "\"").toStdString());
        EXPECT_EQ(TemperatureWord::encode(c.text, *c.locale), c.word);
    }
}

TEST(TemperatureWord, WordToShortestText)
{
    const std::vector<std::tuple<const QLocale*, quint16, QString>> cases = {
        {&Comma, 0x08C8, "-12,5"}, {&Comma, 0x0000, "0"},        {&Comma, 0x0001, "0,0625"},
        {&Comma, 0x0830, "-3"},    {&Comma, 0x07FF, "127,9375"}, {&Comma, 0x0850, "-5"},
        {&Comma, 0x0800, "-0"},    {&Point, 0x00C8, "12.5"},     {&Point, 0x092D, "-18.8125"},
        // Erased memory: the high bits are shown as they are, so the write refuses it rather than guess.
        {&Comma, 0xFFFF, "-3967,9375"},
    };
    for (const auto& [locale, word, text] : cases) {
        SCOPED_TRACE(word);
        EXPECT_EQ(TemperatureWord::decode(word, *locale), text);
    }
    EXPECT_EQ(TemperatureWord::encode("-3967,9375", Comma), std::nullopt);
}

TEST(TemperatureWord, EveryWordSurvivesTextAndBack)
{
    for (const QLocale* locale : {&Comma, &Point})
        for (quint16 word = 0; word < 0x1000; ++word)
            ASSERT_EQ(TemperatureWord::encode(TemperatureWord::decode(word, *locale), *locale), word)
                << locale->name().toStdString() << " " << word;
}

TEST(ByteEncodings, ChoicesBothWays)
{
    EXPECT_EQ(IndexByte::encode(-1), 0x00);
    EXPECT_EQ(IndexByte::encode(5), 0x05);
    EXPECT_EQ(IndexByte::encode(255), 0xFF);
    EXPECT_EQ(IndexByte::decode(3, 4), 3);
    EXPECT_EQ(IndexByte::decode(4, 4), -1);
    EXPECT_EQ(IndexByte::decode(0x07, 4), -1);
    EXPECT_EQ(IndexByte::decode(0xFF, 256), 255);

    EXPECT_EQ(NumberByte::encode(0), 0x01);
    EXPECT_EQ(NumberByte::encode(15), 0x10);
    EXPECT_EQ(NumberByte::encode(-1), 0x00);
    EXPECT_EQ(NumberByte::decode(0x01, 16), 0);
    EXPECT_EQ(NumberByte::decode(0x10, 16), 15);
    EXPECT_EQ(NumberByte::decode(0x00, 16), -1);
    EXPECT_EQ(NumberByte::decode(0x11, 16), -1);
    const std::vector<std::pair<quint8, bool>> zoneNumbers = {{0x00, false}, {0x01, true}, {0x10, true},
                                                              {0x11, false}, {0xFF, false}};
    for (const auto& [byte, isNumber] : zoneNumbers)
        EXPECT_EQ(NumberByte::isZoneNumber(byte), isNumber) << int(byte);
}

TEST(ByteEncodings, TmModeTable)
{
    const std::vector<std::pair<int, quint8>> table = {{1, 0x01}, {2, 0x02}, {3, 0x04}, {4, 0x08},
                                                       {5, 0x41}, {6, 0x00}, {7, 0x80}, {8, 0x40}};
    for (const auto& [item, byte] : table) {
        SCOPED_TRACE(item);
        EXPECT_EQ(TmModeByte::encode(item), byte);
        EXPECT_EQ(TmModeByte::decode(byte), item);
    }
    EXPECT_EQ(TmModeByte::encode(0), 0xFF);
    EXPECT_EQ(TmModeByte::decode(0xFF), 0);
    EXPECT_EQ(TmModeByte::decode(0x03), 0);
    EXPECT_EQ(TmModeByte::encode(-1), 0x00);
}

TEST(ByteEncodings, FlagsAndZoneColumns)
{
    EXPECT_EQ(FlagBit::encode(true, 7), 0x80);
    EXPECT_EQ(FlagBit::encode(false, 7), 0x00);
    EXPECT_TRUE(FlagBit::decode(0x10, 4));
    EXPECT_FALSE(FlagBit::decode(0xEF, 4));

    const std::vector<std::pair<int, std::array<quint8, 2>>> single = {
        {1, {0x01, 0x00}}, {8, {0x80, 0x00}}, {9, {0x00, 0x01}}, {16, {0x00, 0x80}}};
    for (const auto& [zone, bytes] : single) {
        SCOPED_TRACE(zone);
        ZoneBits::Zones zones{};
        zones[zone - 1] = true;
        EXPECT_EQ(ZoneBits::encode(zones), bytes);
        EXPECT_EQ(ZoneBits::decode(bytes[0], bytes[1]), zones);
    }
}

TEST(DigitEncodings, CodesPasswordsAndUserRecords)
{
    const std::vector<std::pair<QString, std::optional<QString>>> codes = {
        {"113", "1130"}, {"1130", "1130"}, {"1", "10"}, {"", ""}, {"FFFF", "FFFF"},
        {"11300", std::nullopt}, {"11a0", std::nullopt}, {"1 3", std::nullopt}};
    for (const auto& [text, digits] : codes)
        EXPECT_EQ(CodeDigits::encode(text), digits) << text.toStdString();
    EXPECT_EQ(CodeDigits::decode("1130"), "1130");

    const QString longest(26, u'7');
    const std::vector<std::pair<QString, std::optional<QString>>> passwords = {
        {"90817", "30" "05" "90817" "0" "00"},
        {"9081", "30" "04" "9081" "00"},
        {longest, "30" "1A" + longest + "00"}, // 16 bytes: the 0x00 lands on 0x001F
        {longest + "7", std::nullopt},
        {"9081a", std::nullopt},
    };
    for (const auto& [password, digits] : passwords)
        EXPECT_EQ(InstallerCodeBlock::encode(password), digits) << password.toStdString();
    EXPECT_EQ(InstallerCodeBlock::encode(longest)->size(), 32);
    EXPECT_EQ(InstallerCodeBlock::decode("3005908170" + QString(20, u'0')), "90817");
    EXPECT_EQ(InstallerCodeBlock::decode("30FF" + QString(26, u'F')), QString(26, u'F'));
    EXPECT_EQ(InstallerCodeBlock::decode("3000" + QString(26, u'F')), "");

    const std::vector<std::pair<QString, std::optional<QString>>> records = {
        {"", QString(16, u'0')},
        {"110412340000", "1104123400000000"},
        {"2101234567890000", "2101234567890000"},
        {"21012345678900001", std::nullopt},
        {"21ab", std::nullopt},
    };
    for (const auto& [cell, digits] : records)
        EXPECT_EQ(UserRecord::encode(cell), digits) << cell.toStdString();
    EXPECT_EQ(UserRecord::decode("00FF123456789ABC"), "");
    EXPECT_EQ(UserRecord::decode("0100000000000000"), "0100000000000000");
}
