#include "windowfixture.h"

#include <QComboBox>
#include <QToolButton>

#include <map>

namespace {

// Ports by name, as the window's list has them: a panel, a silent panel and a
// port that another program holds; any other name does not exist.
class RoutedPort : public SerialPort {
public:
    RoutedPort(std::map<QString, VirtualPanelPort*> ports, QString busy) : ports_(std::move(ports)), busy_(busy) {}

    bool open() override
    {
        if (name_ == busy_)
            throw EComPort(QStringLiteral("Порт занят другой программой"));
        const auto it = ports_.find(name_);
        if (it == ports_.end())
            throw EComPort(QStringLiteral("Попытка открыть несуществующий COM-порт"));
        current_ = it->second;
        return current_->open();
    }
    bool close() override { return !current_ || current_->close(); }
    bool isOpen() const override { return current_ && current_->isOpen(); }
    void setPortName(const QString& name) override
    {
        if (isOpen())
            throw EComPort(QStringLiteral("Нельзя менять свойство, пока порт открыт"));
        name_ = name;
        current_ = nullptr;
    }
    void setSpeedIndex(int) override {}
    void write(const QByteArray& data) override { current_->write(data); }
    QByteArray read(int maxCount) override { return current_->read(maxCount); }

private:
    std::map<QString, VirtualPanelPort*> ports_;
    QString busy_;
    QString name_;
    VirtualPanelPort* current_ = nullptr;
};

class WindowFindPanelTest : public WindowTest {
protected:
    void SetUp() override
    {
        portNames = {"ttyACM0", "ttyS0", "ttyS1", "ttyUSB0", "ttyUSB1"};
        silentPanel.setFaults({.silent = true});
        window = std::make_unique<MainWindow>(host, routed, setup());
        window->FormCreate();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The window holds the routed port, which goes before the fixture's own members.
    void TearDown() override { window.reset(); }

    VirtualPanel silentPanel{[this] { return host.clock; }};
    VirtualPanelPort silentPort{silentPanel};
    VirtualPanelPort panelPort{panel};
    VirtualPanelPort secondPanelPort{panel};
    RoutedPort routed{{{"ttyS1", &silentPort}, {"ttyUSB0", &panelPort}, {"ttyUSB1", &secondPanelPort}}, "ttyACM0"};
};

TEST_F(WindowFindPanelTest, SelectsTheFirstAnsweringPortAndNamesTheOthers)
{
    auto* ports = control<QComboBox>("cbPort");
    ASSERT_EQ(ports->currentText(), "ttyACM0");
    QTest::mouseClick(control("Button_FindPanel"), Qt::LeftButton);

    EXPECT_EQ(ports->currentText(), "ttyUSB0");
    EXPECT_EQ(window->link().inputs.portName, "ttyUSB0");
    EXPECT_EQ(host.messages.last(),
              "ППК ответил на порту: ttyUSB0, ttyUSB1.\r\nВыбран первый: ttyUSB0.\r\nНе ответили: ttyS1.\r\n"
              "Не открылись: ttyACM0 (Порт занят другой программой), ttyS0 (Попытка открыть несуществующий COM-порт).");
    EXPECT_EQ(silentPanel.log, QStringList(3, "00050144"));
    EXPECT_EQ(panel.log, QStringList(2, "00050144"));
    EXPECT_FALSE(panel.loggedIn());
    EXPECT_FALSE(host.sounds.contains(Sound::Error));
}

TEST_F(WindowFindPanelTest, NoAnswerSuggestsCablePowerAndSpeedAndKeepsTheChoice)
{
    panel.setFaults({.silent = true});
    control<QComboBox>("cbBaudRate")->setCurrentText("57600");
    auto* ports = control<QComboBox>("cbPort");
    ports->setCurrentText("ttyS1");
    QTest::mouseClick(control("Button_FindPanel"), Qt::LeftButton);

    EXPECT_EQ(ports->currentText(), "ttyS1");
    EXPECT_TRUE(host.messages.last().startsWith(
        "ППК не ответил ни на одном порту (скорость 57600 бит/с).\r\nНужно проверить:\r\n- кабель связи"))
        << qPrintable(host.messages.last());
    EXPECT_TRUE(host.messages.last().contains("- скорость порта"));
}

TEST_F(WindowFindPanelTest, TheWindowStaysAliveAndRefusesASecondOperationMeanwhile)
{
    int refusedReads = 0;
    host.onProcessEvents = [&] {
        if (refusedReads == 0) {
            ++refusedReads;
            QTest::mouseClick(control("PNGButton_Read"), Qt::LeftButton);
        }
    };
    QTest::mouseClick(control("Button_FindPanel"), Qt::LeftButton);
    host.onProcessEvents = nullptr;
    EXPECT_EQ(refusedReads, 1);
    EXPECT_TRUE(host.sounds.contains(Sound::Simple)) << "the read was refused with a beep";
    EXPECT_FALSE(panel.loggedIn());
}

TEST_F(WindowFindPanelTest, OpensEachPortByItsNameWhateverTheListShows)
{
    portDescriptions = {{"ttyUSB0", "FT232R USB UART"}, {"ttyS1", "USB-Serial Controller"}};
    press(Qt::Key_Q, Qt::ControlModifier);
    QTest::mouseClick(control("Button_FindPanel"), Qt::LeftButton);

    EXPECT_EQ(control<QComboBox>("cbPort")->currentText(), "ttyUSB0 — FT232R USB UART");
    EXPECT_EQ(window->link().inputs.portName, "ttyUSB0");
    // The message names the ports as the list shows them.
    EXPECT_TRUE(host.messages.last().startsWith(
        "ППК ответил на порту: ttyUSB0 — FT232R USB UART, ttyUSB1.\r\nВыбран первый: ttyUSB0 — FT232R USB UART.\r\n"
        "Не ответили: ttyS1 — USB-Serial Controller."))
        << qPrintable(host.messages.last());
    EXPECT_EQ(silentPanel.log, QStringList(3, "00050144"));
    EXPECT_EQ(panel.log, QStringList(2, "00050144"));
}

} // namespace
