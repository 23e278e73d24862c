#include "service/keyenrolment.h"

#include "fakehost.h"
#include "link/frames.h"
#include "link/panellink.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "virtualpanel.h"
#include "virtualpanelport.h"

#include "qstringprinter.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

const QString listening = QStringLiteral("ППК принял команду готовности записи ключа.\r\nПриложите ключ: %1 сек.");
const QString learnt = QStringLiteral("Ключ запомнен.\r\nНастройки ЦП повторно прочитаны.\r\n"
                                      "ЦП, через оставшееся время, автоматически выйдет из режима "
                                      "если не будет продолжена запись.");
const QString failed = QStringLiteral("Не вышло запомнить ключ!");

// Against the in-process panel, with a real configuration read on completion.
class KeyEnrolmentTest : public testing::Test {
protected:
    KeyEnrolmentTest() { link.inputs.portName = "QZV-6-virtual"; }

    // One second of the wait, as Timer_iButton brings it.
    void tick()
    {
        host.clock += 1000;
        enrolment.Timer_iButtonTimer();
    }

    FakeHost host;
    VirtualPanel panel{[this] { return host.clock; }};
    VirtualPanelPort port{panel, "QZV-6-virtual"};
    PanelLink link{port, host};
    SettingsStore store;
    int reads = 0;
    KeyEnrolment enrolment{link, [this] {
                               ++reads;
                               ReadConfiguration(link, store, {});
                           }};
};

TEST_F(KeyEnrolmentTest, RequestCarriesTheUserInHexadecimalAndTheAccessAsTyped)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"02", "21", "p004602218F;"}, {"30", "21", "p00461E21A3;"}, {"99", "2", "p004663265;"}};
    for (const auto& [user, access, frame] : cases) {
        SCOPED_TRACE(user);
        port.writes.clear();
        enrolment.start(user, access);
        ASSERT_EQ(port.writes.size(), 1);
        EXPECT_EQ(QString::fromLatin1(port.writes[0]), frame);
        EXPECT_EQ(enrolment.EnrolmentCountdown, 120);
        EXPECT_TRUE(enrolment.waiting());
    }
    EXPECT_EQ(host.sounds, QList<Sound>(3, Sound::Information));
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(KeyEnrolmentTest, LearntKeyIsReadBackIntoTheUserTable)
{
    enrolment.start("02", "21");
    tick();
    EXPECT_EQ(host.controlTexts.value("Lable_iButton"), listening.arg(119));
    panel.completeEnrolment(500);
    tick();
    EXPECT_FALSE(enrolment.waiting());
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(host.messages, (QStringList{"Прочитано успешно.", learnt}));
    EXPECT_TRUE(store.cell(2, 1).startsWith("21")) << store.cell(2, 1).toStdString();
    EXPECT_EQ(host.controlTexts.value("Lable_iButton"), KeyEnrolment::IdleCaption);
}

TEST_F(KeyEnrolmentTest, NoKeyInTheTimeEndsWithTheFailureAndAClosedPort)
{
    enrolment.start("05", "21");
    for (int i = 0; i < 119; ++i)
        tick();
    EXPECT_TRUE(enrolment.waiting());
    EXPECT_EQ(host.controlTexts.value("Lable_iButton"), listening.arg(1));
    tick();
    EXPECT_FALSE(enrolment.waiting());
    EXPECT_EQ(host.controlTexts.value("Lable_iButton"), KeyEnrolment::IdleCaption);
    EXPECT_EQ(host.sounds.last(), Sound::Error);
    EXPECT_EQ(host.messages, QStringList{failed});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(reads, 0);
}

TEST_F(KeyEnrolmentTest, ANewClickRestartsTheCountdown)
{
    enrolment.start("05", "21");
    for (int i = 0; i < 50; ++i)
        tick();
    enrolment.start("06", "22");
    EXPECT_EQ(enrolment.EnrolmentCountdown, 120);
    EXPECT_EQ(panel.enrolments.size(), 2);
}

TEST_F(KeyEnrolmentTest, BadInputsAndAFailedRequestStartNoWait)
{
    for (const auto& [user, access] : {std::pair{"0A", "21"}, {"", "21"}, {"123", "21"}, {"02", "2G"}}) {
        SCOPED_TRACE(user);
        host.messages.clear();
        enrolment.start(user, access);
        EXPECT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(port.writes.isEmpty());
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(enrolment.waiting());
    }

    host.messages.clear();
    panel.setFaults({.silent = true});
    enrolment.start("02", "21");
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_FALSE(enrolment.waiting());
}

TEST_F(KeyEnrolmentTest, AClickWhileThePortIsTakenIsRefusedWithABeep)
{
    link.runOperation([&] { enrolment.start("02", "21"); });
    EXPECT_EQ(host.sounds, QList<Sound>{Sound::Simple});
    EXPECT_TRUE(port.writes.isEmpty());
    EXPECT_FALSE(enrolment.waiting());
}

TEST_F(KeyEnrolmentTest, PortErrorDuringTheWaitIsReportedAndTheCountdownGoesOn)
{
    enrolment.start("02", "21");
    port.unplugged = true;
    tick();
    EXPECT_EQ(host.messages, QStringList{"Ошибка чтения из порта"});
    port.unplugged = false;
    tick();
    EXPECT_EQ(enrolment.EnrolmentCountdown, 118);
    EXPECT_TRUE(enrolment.waiting());
}

// A port that answers the request and then delivers what the test scripts, tick by tick.
class ScriptedPort : public SerialPort {
public:
    bool open() override { return open_ = true; }
    bool close() override { return !(open_ = false); }
    bool isOpen() const override { return open_; }
    void setPortName(const QString&) override {}
    void setSpeedIndex(int) override {}
    void write(const QByteArray& data) override { writes << data; }
    QByteArray read(int maxCount) override
    {
        if (script.empty())
            return {};
        const QByteArray next = script.front().left(maxCount);
        script.pop_front();
        return next;
    }

    std::deque<QByteArray> script{BuildFrame("000046").toLatin1()};
    QList<QByteArray> writes;

private:
    bool open_ = false;
};

class CompletionFrames : public testing::Test {
protected:
    void startAndTick(int ticks)
    {
        enrolment.start("02", "21");
        for (int i = 0; i < ticks && enrolment.waiting(); ++i)
            enrolment.Timer_iButtonTimer();
    }

    FakeHost host;
    ScriptedPort port;
    PanelLink link{port, host};
    int reads = 0;
    KeyEnrolment enrolment{link, [this] { ++reads; }};
};

TEST_F(CompletionFrames, OnlyARightChecksumAfterP0047Completes)
{
    const std::pair<const char*, bool> cases[] = {
        {"p0047CB;", true},
        {"noise p0000CC; p0047CB;", true},  // the last frame counts
        {"p004702218F;", false},            // checksum of another payload
        {"p0047CC;", false},
        {"p0046CA;", false},
        {"p0047", false},
    };
    for (const auto& [frame, completes] : cases) {
        SCOPED_TRACE(frame);
        host.messages.clear();
        reads = 0;
        port.script = {BuildFrame("000046").toLatin1(), "", "", frame};
        startAndTick(3);
        EXPECT_EQ(enrolment.waiting(), !completes);
        EXPECT_EQ(reads, completes ? 1 : 0);
        EXPECT_EQ(host.messages, completes ? QStringList{learnt} : QStringList());
        EXPECT_EQ(enrolment.EnrolmentCountdown, 117);
    }
}

TEST_F(CompletionFrames, CompletionOnTheLastTickIsASuccessOnly)
{
    port.script = {BuildFrame("000046").toLatin1()};
    port.script.resize(121);
    port.script.back() = "p0047CB;";
    startAndTick(120);
    EXPECT_EQ(enrolment.EnrolmentCountdown, 0);
    EXPECT_FALSE(enrolment.waiting());
    EXPECT_EQ(host.messages, QStringList{learnt});
    EXPECT_FALSE(host.sounds.contains(Sound::Error));
    EXPECT_EQ(reads, 1);
}

} // namespace
