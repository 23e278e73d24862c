#include "files/profilefile.h"

#include "filetesting.h"

#include <QStringEncoder>

#include <optional>

using filetesting::Cp1251;
using filetesting::Lines;

namespace {

struct IntegerCase {
    const char* text;
    std::optional<int> number;
};

TEST(ParseProfileInteger, AcceptsSignedDecimalAndPrefixedHexOnly)
{
    const IntegerCase cases[] = {
        {"0", 0}, {"12", 12}, {"007", 7}, {"-5", -5}, {"+7", 7},
        {"0x1F", 31}, {"0X1f", 31}, {"$1F", 31}, {"x1f", 31}, {"X1F", 31}, {"0x2", 2}, {"-$10", -16}, {"+0x10", 16},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"$7FFFFFFF", 2147483647},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt},
        {"true", std::nullopt}, {"false", std::nullopt}, {"1.5", std::nullopt}, {"12a", std::nullopt},
        {"1F", std::nullopt}, {"0x1G", std::nullopt}, {"--1", std::nullopt}, {"$-1", std::nullopt},
        {"1 2", std::nullopt}, {"١٢", std::nullopt}, {"１２", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseProfileInteger(QString::fromUtf8(c.text)), c.number);
    }
}

ProfileFile Parse(const QString& text)
{
    return ProfileFile::fromBytes(Cp1251(text));
}

struct ReadCase {
    const char* line;      // the entry under [S]
    const char* expected;  // what reading S/K gives
};

TEST(ProfileFileRead, TrimsAndDropsOnePairOfMatchingQuotes)
{
    const ReadCase cases[] = {
        {"K=plain", "plain"},
        {"K=  blanks around  ", "blanks around"},
        {" K = spaced ", "spaced"},
        {"K=\t tab \t", "tab"},
        {"K=\"  quoted  \"", "  quoted  "},
        {"K='single'", "single"},
        {"K=''", ""},
        {"K=\"\"double\"\"", "\"double\""},
        {"K='mixed\"", "'mixed\""},
        {"K=\"", "\""},
        {"K=\"inner\" tail", "\"inner\" tail"},
        {"K=a=b=c", "a=b=c"},
        {"K=", ""},
        {"K=Зона ёЁ ґєії", "Зона ёЁ ґєії"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.line);
        const ProfileFile file = Parse(QStringLiteral("[S]\r\n") + QString::fromUtf8(c.line) + QStringLiteral("\r\n"));
        EXPECT_EQ(file.value("S", "K"), QString::fromUtf8(c.expected));
    }
}

TEST(ProfileFileRead, MatchesNamesRegardlessOfCaseAndTakesFirstOccurrence)
{
    const ProfileFile file = Parse(QStringLiteral("top=ignored\r\n"
                                                  "[ Зона Main ]\r\n"
                                                  "Text 1,7=first\r\n"
                                                  "TEXT 1,7=second\r\n"
                                                  "[broken\r\n"
                                                  "Tail=still main\r\n"
                                                  "no equals sign\r\n"
                                                  "[ЗОНА MAIN]\r\n"
                                                  "Other=in the repeated section\r\n"));
    EXPECT_EQ(file.value("зона main", "text 1,7"), "first");
    EXPECT_EQ(file.value("ЗОНА MAIN", "tail"), "still main");
    EXPECT_EQ(file.value("Зона Main", "Other"), std::nullopt);
    EXPECT_EQ(file.value("Зона Main", "no equals sign"), std::nullopt);
    EXPECT_EQ(file.value("", "top"), std::nullopt);
    EXPECT_EQ(file.value("Missing", "Text 1,7"), std::nullopt);
    EXPECT_EQ(file.readString("Missing", "K", "fallback"), "fallback");
    EXPECT_EQ(file.readInteger("Зона Main", "Text 1,7", 42), 42);
}

TEST(ProfileFileRead, CutsValuesAtTheLimit)
{
    const QString longValue(3000, QChar(u'Ж'));
    const ProfileFile file = Parse("[S]\r\nK=" + longValue + "\r\nQ=\"" + longValue + "\"\r\n");
    EXPECT_EQ(file.value("S", "K"), longValue.left(ProfileFile::MaxValueLength));
    EXPECT_EQ(file.value("S", "Q"), longValue.left(ProfileFile::MaxValueLength));
}

TEST(ProfileFileRead, AcceptsEveryLineEndAndAMissingLastLineEnd)
{
    for (const char* bytes : {"[S]\nA=1\r\nB=2", "[S]\rA=1\rB=2\r", "[S]\r\nA=1\rB=2\n"}) {
        SCOPED_TRACE(bytes);
        const ProfileFile file = ProfileFile::fromBytes(bytes);
        EXPECT_EQ(file.readInteger("S", "A", 0), 1);
        EXPECT_EQ(file.readInteger("S", "B", 0), 2);
    }
}

struct MarkCase {
    const char* name;
    ProfileFile::Encoding encoding;
    QByteArray bytes; // "[Зона]\r\nK=Вход\r\n" with its mark
};

TEST(ProfileFileEncoding, AByteOrderMarkIsReadInItsEncodingAndWrittenBackSo)
{
    const QString text = QStringLiteral("[Зона]\r\nK=Вход\r\n");
    const auto utf16 = [&](QStringConverter::Encoding encoding, const char* mark) {
        return QByteArray(mark) + QByteArray(QStringEncoder(encoding).encode(text));
    };
    const MarkCase cases[] = {
        {"no mark", ProfileFile::Encoding::Windows1251, Cp1251(text)},
        {"UTF-8", ProfileFile::Encoding::Utf8, "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-16LE", ProfileFile::Encoding::Utf16LE, utf16(QStringConverter::Utf16LE, "\xFF\xFE")},
        {"UTF-16BE", ProfileFile::Encoding::Utf16BE, utf16(QStringConverter::Utf16BE, "\xFE\xFF")},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileFile file = ProfileFile::fromBytes(c.bytes);
        EXPECT_EQ(file.encoding(), c.encoding);
        // The first section is found: the mark is not part of its name.
        EXPECT_EQ(file.value("зона", "K"), "Вход");
        EXPECT_EQ(file.toBytes(), c.bytes);
        file.writeString("Зона", "K", "Выход");
        EXPECT_EQ(ProfileFile::fromBytes(file.toBytes()).value("Зона", "K"), "Выход");
        EXPECT_TRUE(file.toBytes().startsWith(c.bytes.left(2)));
    }
    // Without a mark, UTF-8 bytes are Windows-1251 characters, as they always were.
    EXPECT_EQ(ProfileFile::fromBytes(text.toUtf8()).value("Зона", "K"), std::nullopt);
}

TEST(ProfileFileWrite, EncodesWindows1251WithCrLf)
{
    ProfileFile file;
    file.writeString("sEdit_TEXT_ZN_01", "Text", "Зона");
    file.writeString("Second", "Key", "");
    EXPECT_EQ(file.toBytes(), QByteArray("[sEdit_TEXT_ZN_01]\r\nText=\xC7\xEE\xED\xE0\r\n\r\n[Second]\r\nKey=\r\n"));
}

TEST(ProfileFileWrite, UpdatesInPlaceKeepingEverythingElse)
{
    ProfileFile file = Parse(QStringLiteral("; header comment\r\n"
                                            "[Foreign]\r\n"
                                            "a = 1\r\n"
                                            "[about]\r\n"
                                            " lines count = 5\r\n"
                                            "About4=stale\r\n"
                                            "\r\n"
                                            "[Last]\r\n"
                                            "z=9"));
    file.writeString("About", "Lines Count", "1");
    file.writeString("About", "About0", "новая");
    file.writeString("Last", "y", "8");
    file.writeString("New", "k", "v");
    EXPECT_EQ(Lines(file.toBytes()), QStringList({"; header comment", "[Foreign]", "a = 1", "[about]",
                                                  "lines count=1", "About4=stale", "About0=новая", "", "[Last]",
                                                  "z=9", "y=8", "", "[New]", "k=v"}));
    EXPECT_EQ(file.readString("ABOUT", "about0", {}), "новая");
}

TEST(ProfileFileWrite, ValuesAreWrittenAsTheyStandButNeverSpanLines)
{
    ProfileFile file;
    file.writeString("S", "K", "  'as is'  ");
    file.writeString("S", "Inject", "x\r\n[CkeckSavePess]\nChecked=0");
    const QByteArray bytes = file.toBytes();
    EXPECT_EQ(Lines(bytes), QStringList({"[S]", "K=  'as is'  ", "Inject=x  [CkeckSavePess] Checked=0"}));
    EXPECT_EQ(ProfileFile::fromBytes(bytes).value("CkeckSavePess", "Checked"), std::nullopt);
}

TEST(ProfileFileWrite, RoundTripsForeignBytesUnchanged)
{
    const QByteArray bytes = filetesting::ReadBytes(filetesting::Fixture("foreign.ini"));
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_EQ(ProfileFile::fromBytes(bytes).toBytes(), bytes);

    QByteArray everyByte = "[Other]\r\nk=";
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            everyByte.append(char(byte));
    everyByte.append("\r\n");
    ProfileFile file = ProfileFile::fromBytes(everyByte);
    file.writeString("Mine", "k", "v");
    EXPECT_TRUE(file.toBytes().startsWith(everyByte));
}

} // namespace
