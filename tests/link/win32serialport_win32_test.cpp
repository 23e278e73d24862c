#include "link/frames.h"
#include "link/portlist.h"
#include "link/porttexts.h"
#include "link/win32serialport_win32.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Expects the port's text, and the port closed afterwards so the next open starts anew.
void ExpectFailure(Win32SerialPort& port, const std::function<void()>& action, const QString& text)
{
    try {
        action();
        ADD_FAILURE() << "no error, expected " << text.toStdString();
    } catch (const EComPort& error) {
        EXPECT_EQ(error.text(), text);
    }
    EXPECT_FALSE(port.isOpen());
}

struct MisuseCase {
    const char* name;
    std::function<void(Win32SerialPort&)> action;
    QString text;
};

void PrintTo(const MisuseCase& c, std::ostream* os)
{
    *os << c.name;
}

class Win32SerialPortMisuse : public testing::TestWithParam<MisuseCase> {};

TEST_P(Win32SerialPortMisuse, GivesThePortsText)
{
    Win32SerialPort port;
    ExpectFailure(port, [&] { GetParam().action(port); }, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Win32SerialPortMisuse,
    testing::Values(
        MisuseCase{"PortThatDoesNotExist",
                   [](Win32SerialPort& p) { p.setPortName("COM251"); p.open(); }, PortTexts::NotFound},
        // A device that opens but is no serial port: the first comm call fails, and the handle is let go.
        MisuseCase{"DeviceThatIsNoSerialPort",
                   [](Win32SerialPort& p) { p.setPortName("NUL"); p.open(); }, PortTexts::SetupComm},
        MisuseCase{"WriteWhileClosed", [](Win32SerialPort& p) { p.write("p;"); }, PortTexts::Write},
        MisuseCase{"ReadWhileClosed", [](Win32SerialPort& p) { p.read(10); }, PortTexts::Read},
        MisuseCase{"SpeedBeyondTheList", [](Win32SerialPort& p) { p.setSpeedIndex(15); }, PortTexts::SetCommState}),
    [](const auto& info) { return std::string(info.param.name); });

// A COM port linked to a virtual panel, named by QZV6_TEST_COM (scripts/test-windows sets COM1).
class Win32SerialPortOnPanel : public testing::Test {
protected:
    void SetUp() override
    {
        name = qEnvironmentVariable("QZV6_TEST_COM");
        if (name.isEmpty())
            GTEST_SKIP() << "needs a COM port with a virtual panel behind it in QZV6_TEST_COM";
        port.setPortName(name);
        ASSERT_TRUE(port.open());
    }

    QString name;
    Win32SerialPort port;
};

TEST_F(Win32SerialPortOnPanel, ThePanelAnswersWithinTheBoundedRead)
{
    port.write(BuildFrame("00050144").toLatin1());
    // The panel answers after its own turnaround; the link waits as long before it reads.
    QByteArray reply;
    for (int tries = 0; tries < 20 && !reply.contains(';'); ++tries)
        reply += port.read(220);
    EXPECT_TRUE(reply.startsWith('p')) << reply.toStdString();
    EXPECT_TRUE(reply.endsWith(';')) << reply.toStdString();
}

// Not shared: Windows refuses a second open, which Wine does not enforce, so that is not tested here.
TEST_F(Win32SerialPortOnPanel, KeepsItsNameWhileOpen)
{
    try {
        port.setPortName("COM2");
        ADD_FAILURE() << "the name changed while open";
    } catch (const EComPort& error) {
        EXPECT_EQ(error.text(), PortTexts::ChangeWhileOpen);
    }
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(port.close());
    port.setPortName("COM2");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(Win32SerialPortOnPanel, TheRegistryListsIt)
{
    EXPECT_TRUE(SerialPortNames().contains(name));
}

} // namespace
