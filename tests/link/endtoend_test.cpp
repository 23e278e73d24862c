// Through QSerialPort and a real pseudo-terminal, against qzv6-panel-sim, in real time.
#include "link/frames.h"
#include "link/panellink.h"
#include "link/portlist.h"
#include "link/qtserialport.h"
#include "panelsimprocess.h"
#include "qstringprinter.h"
#include "realtimehost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString portErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EComPort& e) {
        return e.text();
    }
    return {};
}

TEST(EndToEnd, LoginAndMemoryReadOverThePseudoTerminal)
{
    PanelSimProcess sim;
    ASSERT_FALSE(sim.ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    RealTimeHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = sim.ptyPath();
    link.PortSetup();
    ASSERT_TRUE(link.Login());
    link.RequestText = "0001100050";
    link.ReplyExchange();
    ASSERT_FALSE(link.LinkFailed);
    EXPECT_EQ(link.ReplyText.size(), 42);
    EXPECT_EQ(replyByte(link.ReplyText, 0), 3); // zone 1 on an end-of-line resistor
    EXPECT_EQ(link.TransferProgress.position(), 5);
    EXPECT_TRUE(host.messages.isEmpty());

    // The monitor block is raw bytes, not a frame.
    port.write("p000E0439;");
    host.wait(20);
    EXPECT_EQ(port.read(180).size(), 53);
    EXPECT_TRUE(port.close());
    EXPECT_TRUE(sim.stop());
}

TEST(EndToEnd, SilentPanelGivesUpAfterTheReadTimeOuts)
{
    PanelSimProcess sim({"--silent"});
    ASSERT_FALSE(sim.ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    RealTimeHost host;
    QtSerialPort port;
    PanelLink link(port, host);
    link.inputs.portName = sim.ptyPath();
    link.PortSetup();
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(link.Login());
    const qint64 ms = elapsed.elapsed();
    std::printf("a silent panel: the opening request gave up after %lld ms\n", ms);
    // 19 tries of 57 ms, a 221 ms read and 30 ms: about 5.9 s; far less means the
    // read returned without waiting, far more that it hung.
    EXPECT_GT(ms, 5000);
    EXPECT_LT(ms, 12000);
    EXPECT_EQ(host.messages, QStringList{PanelLink::LinkFailureText});
    EXPECT_FALSE(port.isOpen());
}

TEST(EndToEnd, PortErrorsCarryTheirTexts)
{
    PanelSimProcess sim;
    ASSERT_FALSE(sim.ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    QtSerialPort port;
    EXPECT_EQ(portErrorOf([&] {
        port.setPortName("ttyQZV6-none");
        port.open();
    }), "Попытка открыть несуществующий COM-порт");
    EXPECT_FALSE(port.isOpen());

    port.setPortName(sim.ptyPath());
    ASSERT_TRUE(port.open());
    EXPECT_EQ(portErrorOf([&] { port.setPortName("ttyS0"); }), "Нельзя менять свойство, пока порт открыт");
    QtSerialPort second;
    second.setPortName(sim.ptyPath());
    EXPECT_EQ(portErrorOf([&] { second.open(); }), "Порт занят другой программой");
    EXPECT_EQ(portErrorOf([&] { port.setSpeedIndex(15); }), "Ошибка функции SetCommState");

    EXPECT_TRUE(port.close());
    EXPECT_EQ(portErrorOf([&] { port.write("p0045C9;"); }), "Ошибка записи в порт");
    EXPECT_EQ(portErrorOf([&] { port.read(10); }), "Ошибка чтения из порта");
}

TEST(EndToEnd, EveryRateOpensAndTheLinkPathWorksLikeThePty)
{
    PanelSimProcess sim;
    ASSERT_FALSE(sim.ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    const QString link = VirtualPanelFolder() + "/" + sim.name();
    ASSERT_TRUE(SerialPortNames().contains(link));
    QtSerialPort port;
    port.setPortName(link);
    for (int index = 0; index < 15; ++index) {
        SCOPED_TRACE(index);
        port.setSpeedIndex(index);
        EXPECT_TRUE(port.open());
        EXPECT_TRUE(port.close());
    }
    port.setSpeedIndex(12);
    ASSERT_TRUE(port.open());
    port.write("p000501448E;");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(port.read(220), "p00000525;");
}

TEST(EndToEnd, PortListHasAnnouncedPanelsSortedAndNoDanglingLinks)
{
    PanelSimProcess sim;
    ASSERT_FALSE(sim.ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    const QString dangling = VirtualPanelFolder() + "/" + sim.name() + "-gone";
    ASSERT_TRUE(QFile::link("/dev/pts/qzv6-no-such-terminal", dangling));
    const QStringList names = SerialPortNames();
    QFile::remove(dangling);

    EXPECT_TRUE(names.contains(VirtualPanelFolder() + "/" + sim.name()));
    EXPECT_FALSE(names.contains(dangling));
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, sorted);

    const QString announced = VirtualPanelFolder() + "/" + sim.name();
    EXPECT_TRUE(sim.stop());
    EXPECT_FALSE(QFileInfo(announced).isSymLink()); // removed on exit
}

TEST(EndToEnd, APortWhosePanelDiesIsClosedAndOpensAgainUnderTheSameName)
{
    const QStringList named{"--name", QStringLiteral("test-%1-returning").arg(QCoreApplication::applicationPid())};
    auto sim = std::make_unique<PanelSimProcess>(named);
    ASSERT_FALSE(sim->ptyPath().isEmpty()) << "qzv6-panel-sim did not start";
    QtSerialPort port;
    port.setPortName(VirtualPanelFolder() + "/" + named[1]);
    ASSERT_TRUE(port.open());
    EXPECT_TRUE(sim->stop());

    // The terminal's other end is gone: the exchange fails and leaves the port closed.
    EXPECT_FALSE(portErrorOf([&] {
        port.write("p000E0439;");
        port.read(180);
    }).isEmpty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(portErrorOf([&] { port.open(); }), "Попытка открыть несуществующий COM-порт");

    sim = std::make_unique<PanelSimProcess>(named);
    ASSERT_FALSE(sim->ptyPath().isEmpty()) << "qzv6-panel-sim did not start again";
    // The panel names its terminal before it announces itself.
    const QString announced = VirtualPanelFolder() + "/" + named[1];
    for (int i = 0; i < 200 && !QFileInfo::exists(announced); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(port.open());
    port.write("p000E0439;");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(port.read(180).size(), 53);
}

} // namespace
