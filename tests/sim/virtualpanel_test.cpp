#include "factoryimage.h"
#include "link/frames.h"
#include "qstringprinter.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <gtest/gtest.h>

namespace {

class VirtualPanelTest : public ::testing::Test {
protected:
    // The panel's answer to one framed payload, as text.
    QString ask(const QString& payload) { return QString::fromLatin1(panel.handle(BuildFrame(payload).toLatin1())); }

    void login() { ASSERT_EQ(ask("003903050900080107").mid(25, 2), "03"); }

    int byteAt(int address) const { return quint8(panel.memory[address]); }

    qint64 clock = 0;
    VirtualPanel panel{[this] { return clock; }};
};

TEST_F(VirtualPanelTest, FactoryImageFollowsTheMemoryMap)
{
    const QByteArray image = FactoryImage();
    ASSERT_EQ(image.size(), VirtualPanel::memorySize);
    EXPECT_EQ(image.mid(0x0010, 6).toHex(), "300590817000"); // installer password 90817
    EXPECT_EQ(image.mid(0x0100, 2).toHex(), "1130");
    EXPECT_EQ(image.mid(0x011E, 2).toHex(), "1130");
    EXPECT_EQ(image.mid(0x0120, 2).toHex(), "3130");
    EXPECT_EQ(image.mid(0x013E, 2).toHex(), "3130");
    EXPECT_EQ(image.mid(0x0140, 2).toHex(), "1130");
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(quint8(image[0x00B0 + n - 1]), n);
    EXPECT_EQ(quint8(image[0x0050]), 3);           // a zone type within its four items
    EXPECT_EQ(quint8(image[0x0200]), 0x11);        // user 1 holds a password
    EXPECT_EQ(image.mid(0x0220, 8).toHex(), "0000000000000000"); // user 5 is free
    EXPECT_EQ(quint8(image[0x0000]), 0xFF);        // never read or written: erased
    EXPECT_EQ(panel.password(), "90817");
}

TEST_F(VirtualPanelTest, AnswersTheCommands)
{
    EXPECT_EQ(ask("00050144"), "p00000525;");
    EXPECT_EQ(ask("0001010024"), "");               // memory needs a login
    login();
    EXPECT_EQ(ask("0001010024"), BuildFrame("000001" + hexByte(byteAt(0x24))));
    EXPECT_EQ(ask("0001100050").size(), 42);
    EXPECT_EQ(ask("000200241122"), "p00000222;");
    EXPECT_EQ(byteAt(0x24), 0x11);
    EXPECT_EQ(byteAt(0x25), 0x22);
    EXPECT_EQ(ask("0001020024"), BuildFrame("0000011122"));
    EXPECT_EQ(ask("000200241"), "");                // half a byte: no acknowledgement
    EXPECT_EQ(ask("0001020400"), BuildFrame("000001FFFF")); // beyond the memory: erased
    panel.setTemperature(0x0850);
    EXPECT_EQ(replyWord(ask("0021"), 8), 0x0850);
    EXPECT_EQ(ask("0045"), "p00004529;");
    EXPECT_EQ(panel.memorisations, 1);
    EXPECT_EQ(ask("0008"), BuildFrame("000008"));
    EXPECT_EQ(panel.restarts, 1);
    EXPECT_FALSE(panel.loggedIn());                 // the restart ends the login
    EXPECT_EQ(ask("0001010024"), "");
    EXPECT_EQ(ask("0077"), "");                     // unknown command
}

TEST_F(VirtualPanelTest, BootsForItsRestartDelayHearingNothing)
{
    panel.restartDelayMs = 1500;
    login();
    EXPECT_EQ(ask("0008"), BuildFrame("000008"));
    const qsizetype heard = panel.log.size();
    clock += 1499;
    EXPECT_EQ(ask("00050144"), "");
    EXPECT_EQ(panel.log.size(), heard);
    clock += 1;
    EXPECT_EQ(ask("00050144"), "p00000525;");
}

TEST_F(VirtualPanelTest, DroppedWriteIsAcknowledgedButNotStored)
{
    PanelFaults faults;
    faults.dropWriteAt = 0x0025;
    panel.setFaults(faults);
    login();
    const QByteArray before = panel.memory;
    EXPECT_EQ(ask("0002002599"), "p00000222;");
    EXPECT_EQ(panel.memory, before);
    EXPECT_EQ(ask("00020024AA99"), "p00000222;"); // another address: stored whole
    EXPECT_EQ(byteAt(0x24), 0xAA);
    EXPECT_EQ(byteAt(0x25), 0x99);
}

TEST_F(VirtualPanelTest, LoginStatus)
{
    const struct {
        const char* forced;
        const char* payload;
        const char* status;
    } cases[] = {
        {"", "003903050900080107", "03"},
        {"", "003903050900080106", "AA"},
        {"", "00390300", "AA"},
        {"", "0039030509000801", "AA"},     // fewer characters than counted
        {"", "003903051900080107", "AA"},   // a "character" that is no digit
        {"FF", "003903050900080107", "FF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.payload);
        panel.loginStatus = c.forced;
        const QString reply = ask(c.payload);
        ASSERT_TRUE(passesChecksum(reply));
        EXPECT_EQ(reply.mid(5, 2), "39");
        EXPECT_EQ(reply.mid(25, 2), c.status);
        EXPECT_EQ(panel.loggedIn(), QString(c.status) == "03");
    }
}

TEST_F(VirtualPanelTest, PasswordIsStoredInTheInstallerLayout)
{
    EXPECT_TRUE(panel.setPassword("1234"));
    EXPECT_EQ(panel.memory.mid(0x0010, 5).toHex(), "3004123400");
    EXPECT_TRUE(panel.setPassword(""));
    EXPECT_EQ(ask("00390300").mid(25, 2), "03");
    EXPECT_TRUE(panel.setPassword(QString(26, u'F')));
    EXPECT_EQ(byteAt(0x001F), 0x00);
    EXPECT_EQ(panel.password(), QString(26, u'F'));
    EXPECT_FALSE(panel.setPassword(QString(27, u'1')));
    EXPECT_FALSE(panel.setPassword("12a"));
    panel.memory[0x0011] = char(0xFF); // erased count: only what the block holds
    EXPECT_EQ(panel.password().size(), 26);
}

TEST_F(VirtualPanelTest, IgnoresWhatIsNoGoodFrame)
{
    EXPECT_EQ(panel.handle("p000501448F;"), "");     // wrong checksum
    EXPECT_EQ(panel.handle("p000501448e;"), "");     // lower-case checksum
    EXPECT_EQ(panel.handle("p00e0439;"), "");
    EXPECT_EQ(panel.badFrames, 3);
    EXPECT_EQ(panel.handle("noise;p0005"), "");      // half a frame
    EXPECT_EQ(panel.handle("01448E;"), "p00000525;"); // its other half
    EXPECT_EQ(panel.handle("p0045p000501448E;"), "p00000525;"); // the last "p" starts a frame
    EXPECT_EQ(panel.log, QStringList({"00050144", "00050144"}));
    EXPECT_EQ(panel.handle(QByteArray(100000, 'x') + "p0005"), "");  // endless noise is dropped
    EXPECT_EQ(panel.handle("01448E;"), "p00000525;");
}

TEST_F(VirtualPanelTest, MonitorPollAndKeys)
{
    const QByteArray block = panel.handle("p000E0439;");
    ASSERT_EQ(block.size(), VirtualPanel::statusSize);
    EXPECT_EQ(quint8(block[0]), 190);
    EXPECT_EQ(quint8(block[12]), 0xFF);
    panel.status[3] = 0x01;
    EXPECT_EQ(quint8(panel.handle("p000E0439;")[3]), 0x01);

    const struct {
        const char* frame;
        int shown;
    } keys[] = {{"p000E02059C;", 5}, {"p000E020BA9;", 26}, {"p000E020AA8;", 27}, {"p000E020097;", 0}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.frame);
        EXPECT_EQ(panel.handle(k.frame), "p00000E35;");
        EXPECT_EQ(quint8(panel.handle("p000E0439;")[12]), k.shown);
    }
    EXPECT_EQ(panel.keys, QList<int>({5, 11, 10, 0}));
}

TEST_F(VirtualPanelTest, EnrolmentCompletesWhenTold)
{
    EXPECT_EQ(ask("00461E21"), BuildFrame("000046"));
    ASSERT_EQ(panel.enrolments.size(), 1);
    EXPECT_EQ(panel.enrolments[0].user, 30);
    EXPECT_EQ(panel.enrolments[0].access, "21");
    EXPECT_TRUE(panel.completeEnrolment(1500));
    clock = 1499;
    EXPECT_EQ(panel.takeDue(), "");
    EXPECT_EQ(panel.nextDue(), 1500);
    clock = 1500;
    const QString completion = QString::fromLatin1(panel.takeDue());
    EXPECT_TRUE(completion.startsWith("p0047"));
    EXPECT_TRUE(passesChecksum(completion));
    EXPECT_EQ(quint8(panel.memory[0x02E8]), 0x21); // the key's record in user 30
    EXPECT_NE(quint8(panel.memory[0x02E9]) + quint8(panel.memory[0x02EA]), 0);

    panel.enrolDelayMs = 0; // the sim's way: every enrolment completes by itself
    EXPECT_EQ(ask("00460121"), BuildFrame("000046") + BuildFrame("00470" "1"));
}

TEST_F(VirtualPanelTest, FaultsOnDemand)
{
    const QString ack = "p00000525;";
    const struct {
        const char* name;
        PanelFaults faults;
        QStringList answers; // to five opening requests in a row
    } cases[] = {
        {"silent", {.silent = true}, {"", "", "", "", ""}},
        {"answer after 2", {.answerAfter = 2}, {"", "", ack, ack, ack}},
        {"stop after 3", {.stopAfter = 3}, {ack, ack, ack, "", ""}},
        {"corrupt", {.corruptChecksum = true}, QStringList(5, "p00000526;")},
        {"other command", {.echoOtherCommand = true}, QStringList(5, BuildFrame("000001"))},
        {"noise", {.noise = "xx"}, QStringList(5, "xx" + ack)},
        {"echo", {.echoRequest = true}, QStringList(5, "p000501448E;" + ack)},
        {"late", {.lateMs = 10}, {"", ack, ack, ack, ack}}, // each answer comes with the next request
        {"other command only", {.silent = true, .onlyCommand = "21"}, QStringList(5, ack)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        panel.setFaults(c.faults);
        QStringList answers;
        for (int i = 0; i < 5; ++i) {
            answers << ask("00050144");
            clock += 10;
        }
        EXPECT_EQ(answers, c.answers);
        panel.takeDue();
    }
    panel.setFaults({.lowerCaseHex = true});
    EXPECT_EQ(ask("000E0205"), "p00000e35;");
}

TEST_F(VirtualPanelTest, EchoedPollIsSixtyThreeCharacters)
{
    panel.setFaults({.echoRequest = true});
    EXPECT_EQ(panel.handle("p000E0439;").size(), 63);
}

TEST(VirtualPanelPortTest, BehavesLikeAPort)
{
    qint64 clock = 0;
    VirtualPanel panel([&] { return clock; });
    VirtualPanelPort port(panel, "QZV-6-virtual");
    EXPECT_THROW(port.write("p0045C9;"), EComPort);
    EXPECT_THROW(port.read(10), EComPort);
    port.setPortName("COM1");
    try {
        port.open();
        FAIL() << "opened another name";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.text(), "Попытка открыть несуществующий COM-порт");
    }
    port.setPortName("QZV-6-virtual");
    EXPECT_TRUE(port.open());
    try {
        port.setPortName("COM1");
        FAIL() << "renamed while open";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.text(), "Нельзя менять свойство, пока порт открыт");
    }
    port.write("p0045C9;");
    EXPECT_EQ(port.read(4), "p000");            // at most what was asked
    EXPECT_EQ(port.read(220), "04529;");
    panel.setFaults({.lateMs = 50});
    port.write("p0045C9;");
    EXPECT_EQ(port.read(220), "");
    EXPECT_TRUE(port.close());
    clock = 60;
    EXPECT_TRUE(port.open());                    // what came while closed is purged
    EXPECT_EQ(port.read(220), "");
    EXPECT_EQ(port.opens, 2);
    EXPECT_EQ(port.closes, 1);
}

} // namespace
