#include "link/panellink.h"

#include "fakehost.h"
#include "link/frames.h"
#include "qstringprinter.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString openingFrame = QStringLiteral("p000501448E;");

// A link on the in-process panel; the panel's clock is the host's virtual clock.
class PanelLinkTest : public ::testing::Test {
protected:
    PanelLinkTest()
    {
        link.inputs.portName = "QZV-6-virtual";
        link.PortSetup();
    }

    // Logs in, then forgets what the login did, so a test sees only its own traffic.
    void loginAndForget()
    {
        ASSERT_TRUE(link.Login());
        port.writes.clear();
        port.reads = 0;
        panel.log.clear();
        host.clock = 0;
    }

    QStringList written() const
    {
        QStringList texts;
        for (const QByteArray& w : port.writes)
            texts << QString::fromLatin1(w);
        return texts;
    }

    void expectGaveUp(int writes)
    {
        EXPECT_EQ(port.writes.size(), writes);
        EXPECT_EQ(written(), QStringList(writes, written().value(0)));
        EXPECT_EQ(host.sounds, QList<Sound>{Sound::Error});
        EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(host.progressVisible);
        EXPECT_EQ(link.TransferProgress.position(), 0);
        EXPECT_TRUE(link.LinkFailed);
    }

    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel, "QZV-6-virtual"};
    PanelLink link{port, host};
};

TEST_F(PanelLinkTest, AcknowledgedAtTheFirstTry)
{
    link.TransferProgress.setMaximum(87);
    link.RequestText = openingFrame;
    link.AckExchange();
    EXPECT_FALSE(link.LinkFailed);
    EXPECT_EQ(written(), QStringList{openingFrame});
    EXPECT_EQ(port.reads, 1);
    EXPECT_EQ(link.ReplyText, "p00000525;");
    EXPECT_EQ(link.TransferProgress.position(), 1);
    EXPECT_EQ(host.progressPosition, 1);
    EXPECT_EQ(host.progressMaximum, 87);
    EXPECT_EQ(host.clock, 57);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(port.isOpen());
}

TEST_F(PanelLinkTest, DataReplyAtTheFirstTryIsKeptFramed)
{
    loginAndForget();
    link.RequestText = "0001010024";
    link.ReplyExchange();
    EXPECT_FALSE(link.LinkFailed);
    EXPECT_EQ(link.RequestText, "p0001010024E8;");
    EXPECT_EQ(written(), QStringList{"p0001010024E8;"});
    EXPECT_EQ(link.ReplyText, BuildFrame("000001" + hexByte(quint8(panel.memory[0x24]))));
    EXPECT_EQ(host.clock, 30);
}

TEST_F(PanelLinkTest, OlderFrameOrNoiseBeforeTheReplyIsAccepted)
{
    panel.setFaults({.noise = "xxp0000C0;"});
    link.RequestText = openingFrame;
    link.AckExchange();
    EXPECT_FALSE(link.LinkFailed);
    EXPECT_EQ(port.writes.size(), 1);
    EXPECT_EQ(link.ReplyText, "p00000525;");
}

TEST_F(PanelLinkTest, LostRepliesAreRetriedWithTheirPauses)
{
    const struct {
        bool acknowledged;
        int perTry;
    } styles[] = {{true, 57 + 30}, {false, 30 + 10}};
    for (const auto& s : styles) {
        SCOPED_TRACE(s.acknowledged ? "AckExchange" : "ReplyExchange");
        loginAndForget();
        panel.setFaults({.answerAfter = 3});
        link.RequestText = s.acknowledged ? openingFrame : u"0001010024"_qs;
        s.acknowledged ? link.AckExchange() : link.ReplyExchange();
        EXPECT_FALSE(link.LinkFailed);
        EXPECT_EQ(port.writes.size(), 4);
        EXPECT_EQ(host.clock, 3 * s.perTry + s.perTry - (s.acknowledged ? 30 : 10));
        link.PortSetup();
    }
}

TEST_F(PanelLinkTest, LateReplyOfAnEarlierTryIsAccepted)
{
    panel.setFaults({.lateMs = 100});
    link.RequestText = openingFrame;
    link.AckExchange();
    EXPECT_FALSE(link.LinkFailed);
    EXPECT_EQ(port.writes.size(), 2);
}

// Every reply is spoilt the same way: the exchange gives up after 19 tries.
struct Spoiler {
    const char* name;
    PanelFaults faults;
};

const Spoiler spoilers[] = {
    {"no answer", {.silent = true}},
    {"wrong checksum", {.corruptChecksum = true}},
    {"another command", {.echoOtherCommand = true}},
    {"lower-case hexadecimal", {.lowerCaseHex = true}},
    {"stopped after the login", {.stopAfter = 0}},
};

TEST_F(PanelLinkTest, AcknowledgedExchangeGivesUpAfter19Tries)
{
    for (const Spoiler& s : spoilers) {
        SCOPED_TRACE(s.name);
        host = FakeHost();
        link.PortSetup();
        panel.setFaults({});
        loginAndForget();
        panel.setFaults(s.faults);
        link.TransferProgress.show();
        // A letter in the acknowledgement, so that lower case shows: a keypad key.
        link.RequestText = BuildFrame("000E0205");
        link.AckExchange();
        expectGaveUp(19);
        EXPECT_EQ(host.clock, 19 * (57 + 30));
        EXPECT_EQ(host.calls.filter(QRegularExpression("^(sound|message|progress:close)")),
                  QStringList({"sound:1", "message:" + PanelLink::LinkFailureText, "progress:close"}));
    }
}

TEST_F(PanelLinkTest, ReplyExchangeGivesUpAfter19Tries)
{
    for (const Spoiler& s : spoilers) {
        SCOPED_TRACE(s.name);
        host = FakeHost();
        link.PortSetup();
        panel.setFaults({});
        panel.memory[0x24] = char(0xAB);
        loginAndForget();
        panel.setFaults(s.faults);
        link.RequestText = "0001010024";
        link.ReplyExchange();
        expectGaveUp(19);
        EXPECT_EQ(host.clock, 19 * (30 + 10));
    }
}

TEST_F(PanelLinkTest, QuietExchangeOfAnOptionalRequestLeavesTheOperationGoing)
{
    loginAndForget();
    panel.setFaults({.silent = true, .onlyCommand = "21"});
    link.RequestText = "0021";
    EXPECT_FALSE(link.ReplyExchangeQuietly());
    EXPECT_TRUE(link.LinkFailed);
    EXPECT_EQ(port.writes.size(), 19);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(host.sounds.isEmpty());

    link.RequestText = "0001010024";
    link.ReplyExchange();
    EXPECT_FALSE(link.LinkFailed);
}

TEST_F(PanelLinkTest, EscDuringTheTenthTryStopsTheNextExchange)
{
    panel.setFaults({.answerAfter = 12});
    host.onProcessEvents = [this] {
        if (host.processEventsCount == 10)
            link.CancelRequested = true;
    };
    link.TransferProgress.show();
    link.RequestText = openingFrame;
    link.AckExchange();
    EXPECT_FALSE(link.LinkFailed);
    EXPECT_EQ(port.writes.size(), 13);

    link.RequestText = openingFrame;
    link.AckExchange();
    EXPECT_TRUE(link.LinkFailed);
    EXPECT_EQ(port.writes.size(), 13);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(link.TransferProgress.position(), 0);
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(host.sounds.isEmpty());

    link.RequestText = "0021";
    link.ReplyExchange();
    EXPECT_TRUE(link.LinkFailed);
    EXPECT_EQ(link.RequestText, "0021"); // nothing framed, nothing sent
    EXPECT_EQ(port.writes.size(), 13);
}

TEST_F(PanelLinkTest, LoginSendsThreeOpeningsAndThePassword)
{
    const struct {
        const char* password;
        const char* payload;
    } cases[] = {
        {"90817", "003903050900080107"},
        {"", "00390300"},
        {"ABCDEF0123456789", "003903100A0B0C0D0E0F00010203040506070809"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        panel.log.clear();
        host.messages.clear();
        link.PortSetup();
        ASSERT_TRUE(panel.setPassword(c.password));
        link.inputs.password = c.password;
        link.TransferProgress.setPosition(0);
        EXPECT_TRUE(link.Login());
        EXPECT_EQ(panel.log, QStringList({"00050144", "00050144", "00050144", c.payload}));
        EXPECT_EQ(link.TransferProgress.position(), 4);
        EXPECT_TRUE(panel.loggedIn());
        EXPECT_TRUE(port.isOpen());
        EXPECT_TRUE(host.messages.isEmpty());
    }
}

TEST_F(PanelLinkTest, LoginRefusals)
{
    const struct {
        const char* status;     // forced by the panel; empty: judged by the password
        const char* password;
        const char* message;
    } cases[] = {
        {"FF", "90817", "Внимание!\r\nВ приборе другая версия программного обеспечения!\r\n"
                        "Или, Вы всунули кабель не в тот разъем!"},
        {"", "12345", "Неверный пароль!"},
        {"", "", "Неверный пароль!"},
        {"AA", "90817", "Неверный пароль!"},
        {"07", "90817", "Не та версия."},
        {"03", "12345", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.status) + "/" + c.password);
        host = FakeHost();
        panel.log.clear();
        link.PortSetup();
        panel.loginStatus = c.status;
        link.inputs.password = c.password;
        link.TransferProgress.show();
        EXPECT_EQ(link.Login(), c.message == nullptr);
        EXPECT_EQ(panel.log.size(), 4); // nothing more was sent
        if (c.message) {
            EXPECT_EQ(host.messages, QStringList{c.message});
            EXPECT_FALSE(port.isOpen());
            EXPECT_FALSE(host.progressVisible);
        } else {
            EXPECT_TRUE(host.messages.isEmpty());
        }
        EXPECT_TRUE(host.sounds.isEmpty());
        EXPECT_FALSE(link.LinkFailed);
    }
}

TEST_F(PanelLinkTest, PasswordThePanelCannotHoldIsRefusedBeforeSending)
{
    for (const char* password : {"9081a", "90817;", "12345678901234567", "9O817"}) {
        SCOPED_TRACE(password);
        host = FakeHost();
        link.PortSetup();
        link.inputs.password = password;
        EXPECT_FALSE(link.Login());
        EXPECT_TRUE(port.writes.isEmpty());
        EXPECT_EQ(host.messages, QStringList{"Неверный пароль!"});
        EXPECT_FALSE(port.isOpen());
    }
}

TEST_F(PanelLinkTest, LoginEndsOnAnOpeningThatGivesUp)
{
    panel.setFaults({.silent = true});
    EXPECT_FALSE(link.Login());
    expectGaveUp(19);
    EXPECT_TRUE(panel.log.size() == 19 && panel.log.filter("0039").isEmpty());
}

TEST_F(PanelLinkTest, PortSetupAppliesTheInputsToAClosedPort)
{
    link.inputs.speedIndex = 9;
    link.PortSetup();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.speedIndex(), 9);
    EXPECT_EQ(port.closes, 1);

    link.inputs.portName = "ttyUSB7";
    try {
        link.PortSetup();
        FAIL() << "opened a port that does not exist";
    } catch (const EComPort& e) {
        EXPECT_EQ(e.text(), "Попытка открыть несуществующий COM-порт");
    }
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PanelLinkTest, BusyGuardRefusesASecondOperation)
{
    int inner = 0;
    bool nestedRan = true;
    const bool ran = link.runOperation([&] {
        EXPECT_TRUE(link.busy());
        nestedRan = link.runOperation([&] { ++inner; });
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(nestedRan);
    EXPECT_EQ(inner, 0);
    EXPECT_FALSE(link.busy());
    EXPECT_TRUE(host.sounds.isEmpty());
    EXPECT_TRUE(link.runOperation([&] { ++inner; }));
    EXPECT_EQ(inner, 1);
}

TEST_F(PanelLinkTest, BusyGuardHoldsWhileAnExchangeLetsEventsRun)
{
    // A timer tick or a click handled during the waits of an exchange.
    int secondOperations = 0;
    int refused = 0;
    host.onProcessEvents = [&] { refused += !link.runOperation([&] { ++secondOperations; }); };
    link.runOperation([this] {
        link.RequestText = openingFrame;
        link.AckExchange();
    });
    EXPECT_EQ(secondOperations, 0);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(port.writes.size(), 1);
}

TEST_F(PanelLinkTest, PortErrorEndsTheOperationWithItsText)
{
    const struct {
        const char* name;
        std::function<void()> operation;
        const char* message;
    } cases[] = {
        {"adapter gone before a write", [this] {
             port.unplugged = true;
             link.RequestText = openingFrame;
             link.AckExchange();
         }, "Ошибка записи в порт"},
        {"port missing at set-up", [this] {
             link.inputs.portName = "COM9";
             link.PortSetup();
         }, "Попытка открыть несуществующий COM-порт"},
        {"name changed while open", [this] { port.setPortName("COM2"); },
         "Нельзя менять свойство, пока порт открыт"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host = FakeHost();
        port.unplugged = false;
        link.inputs.portName = "QZV-6-virtual";
        link.PortSetup();
        link.TransferProgress.show();
        bool reachedTheEnd = false;
        EXPECT_TRUE(link.runOperation([&] {
            c.operation();
            reachedTheEnd = true;
        }));
        EXPECT_FALSE(reachedTheEnd);
        EXPECT_EQ(host.messages, QStringList{c.message});
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(host.progressVisible);
        EXPECT_FALSE(link.busy());
    }
}

} // namespace
