#include "transferfixture.h"

#include "link/frames.h"
#include "link/protocoltrace.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString Password = QStringLiteral("D3A5E");
const QString PasswordSetting = QStringLiteral("EeAdr_PassInstalator");

class TraceTest : public TransferTest {
protected:
    TraceTest()
    {
        link.inputs.portName = QStringLiteral("ttyTEST");
        panel.setPassword(Password);
        link.inputs.password = Password;
        store.setText(PasswordSetting, Password);
    }

    // The lines after the time column.
    QStringList entries() const
    {
        QStringList out;
        for (const QString& line : link.Trace.lines())
            out << line.section(QStringLiteral(" ms  "), 1);
        return out;
    }
    QStringList entriesStartingWith(const QString& prefix) const
    {
        return entries().filter(QRegularExpression('^' + QRegularExpression::escape(prefix)));
    }
};

TEST_F(TraceTest, ReadIsTracedInOrderWithVerdictsAndTimes)
{
    panel.setFaults({.answerAfter = 1, .onlyCommand = u"05"_qs});
    ASSERT_TRUE(ReadConfiguration(link, store, {false, locale}));

    const QStringList all = entries();
    ASSERT_GE(all.size(), 4);
    EXPECT_EQ(all.first(), "# порт ttyTEST открыт, 115200 бит/с");
    EXPECT_EQ(all.last(), "# порт закрыт");
    // Every frame written is there in its order; the first opening request went unanswered.
    QStringList sentFrames;
    for (const QString& line : entriesStartingWith("> "))
        sentFrames << line.mid(2);
    ASSERT_EQ(sentFrames.size(), port.writes.size());
    for (int i = 0; i < sentFrames.size(); ++i) {
        if (!sentFrames[i].startsWith(u"p0039")) {
            EXPECT_EQ(sentFrames[i], QString::fromLatin1(port.writes[i])) << i;
        }
    }
    EXPECT_EQ(all[1], "> p000501448E;");
    EXPECT_EQ(all[2], "< [0] (пусто)  -- нет ответа");
    EXPECT_EQ(all[3], "> p000501448E;");
    EXPECT_EQ(all[4], "< [10] p00000525;  -- принят");
    // Each read follows its write and carries its verdict.
    const QStringList reads = entriesStartingWith("< ");
    EXPECT_EQ(reads.size(), sentFrames.size());
    EXPECT_EQ(reads.filter("-- принят").size(), reads.size() - 1);

    qint64 previous = -1;
    for (const QString& line : link.Trace.lines()) {
        const qint64 ms = line.section(QStringLiteral(" ms"), 0, 0).trimmed().toLongLong();
        EXPECT_GE(ms, previous) << qPrintable(line);
        previous = ms;
    }
    EXPECT_EQ(previous, host.clock);
}

TEST_F(TraceTest, PasswordCodesAndKeysNeverAppearInClear)
{
    store.setCell(1, 1, QStringLiteral("7351"));
    WriteOptions plain;
    plain.locale = locale;
    ASSERT_EQ(WriteConfiguration(link, store, plain).outcome, WriteOutcome::Written);
    link.PortSetup();
    ASSERT_TRUE(ReadConfiguration(link, store, {false, locale}));

    const QString text = link.Trace.text();
    for (const QString& secret : {Password, QStringLiteral("0D030A050E"), QStringLiteral("7351")})
        EXPECT_FALSE(text.contains(secret)) << qPrintable(secret);
    const QStringList logins = entriesStartingWith("> p0039");
    ASSERT_EQ(logins.size(), 2);
    EXPECT_EQ(logins[0], "> p00390305**********" + QString(2, u'*') + ';');
    // The login's status and the headers stay readable.
    EXPECT_EQ(entries().filter(QRegularExpression("^< \\[\\d+\\] p000039")).size(), 2);
    EXPECT_EQ(entries().filter(QRegularExpression("^< .*p000039\\*{18}03\\*\\*;  -- принят$")).size(), 2);
    EXPECT_FALSE(entriesStartingWith("> p00020010").isEmpty());
    for (const QString& line : entriesStartingWith("> p00020010"))
        EXPECT_TRUE(QRegularExpression("^> p00020010\\*+;$").match(line).hasMatch()) << qPrintable(line);
    EXPECT_FALSE(entriesStartingWith("> p00020200").isEmpty());
    for (const QString& line : entriesStartingWith("> p00020200"))
        EXPECT_TRUE(QRegularExpression("^> p00020200\\*+;$").match(line).hasMatch()) << qPrintable(line);
}

TEST_F(TraceTest, EachFaultGetsItsVerdict)
{
    const struct {
        PanelFaults faults;
        const char* verdict;
    } cases[] = {
        {{}, "принят"},
        {{.silent = true}, "нет ответа"},
        {{.corruptChecksum = true}, "неверная контрольная сумма"},
        {{.echoOtherCommand = true}, "ответ не на этот запрос"},
        {{.noise = "xxp0000C0;"}, "принят"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.verdict);
        panel.setFaults(c.faults);
        link.PortSetup();
        link.RequestText = BuildFrame(u"00050144"_qs);
        link.AckExchange();
        const QStringList reads = entriesStartingWith("< ");
        ASSERT_FALSE(reads.isEmpty());
        EXPECT_TRUE(reads.last().endsWith(QStringLiteral("  -- ") + c.verdict)) << qPrintable(reads.last());
    }
}

TEST_F(TraceTest, PortFailureIsNoted)
{
    link.PortSetup();
    port.unplugged = true;
    EXPECT_THROW(link.port().write("p0045C9;"), EComPort);
    EXPECT_TRUE(entries().last().startsWith(u"# ошибка порта: ")) << qPrintable(entries().last());
}

TEST(ProtocolTrace, KeepsTheLastLinesOnly)
{
    qint64 clock = 0;
    ProtocolTrace trace([&clock] { return clock; });
    for (int i = 0; i < ProtocolTrace::Capacity + 1234; ++i) {
        ++clock;
        trace.sent(QByteArray::number(i));
    }
    ASSERT_EQ(trace.size(), ProtocolTrace::Capacity);
    EXPECT_TRUE(trace.lines().first().endsWith(u"> 1234")) << qPrintable(trace.lines().first());
    EXPECT_TRUE(trace.lines().last().endsWith(u"> 6233"));
}

TEST(ProtocolTrace, BinaryBlocksAreShownInHexadecimal)
{
    ProtocolTrace trace([] { return 0; });
    trace.received(QByteArray("\x00\x1A\xFF", 3));
    EXPECT_EQ(trace.lines(), QStringList{"        0 ms  < [3] hex 00 1A FF"});
}

TEST(ProtocolTrace, SavedWholeOrNotAtAll)
{
    ProtocolTrace trace([] { return 0; });
    trace.sent("p0045C9;");
    QTemporaryDir dir;
    const QString path = dir.filePath("trace.txt");
    EXPECT_EQ(trace.saveTo(path), std::nullopt);
    QFile file(path);
    // A text file: its lines end with CR LF on Windows.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString saved = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(saved.endsWith("        0 ms  > p0045C9;\n")) << qPrintable(saved);
    EXPECT_TRUE(saved.startsWith(u"Журнал обмена с ППК QZV-6"));
    EXPECT_TRUE(trace.saveTo(dir.filePath("missing/trace.txt")).has_value());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/trace.txt")));
}

} // namespace
