#include "windowfixture.h"

#include "model/settingsstore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>

#include <optional>

namespace {

const QString NoStartFile =
    QStringLiteral("Внимание! Не найден изначальный файл [1_Start], который должен находится в папке с .ехе файлом!");

struct StartCase {
    const char* name;
    QStringList startFiles;          // written beside the executable
    std::optional<int> remembered;   // cbPort.ItemIndex from the last run
    QStringList ports;
    bool listingFails;
    int expectedPort;
    QString expectedTitle;           // empty: the start file leaves the title
    int expectedKeypad;              // EeAdr_TypeKeybord after start-up
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}

class StartUpTest : public WindowTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartUpTest, FollowsTheStartUpSteps)
{
    const StartCase& c = GetParam();
    for (const QString& name : c.startFiles)
        writeStartFile(name, name.endsWith(".ini") ? "[EeAdr_TypeKeybord]\r\nItemIndex=5\r\n" : StartKeypad);
    if (c.remembered)
        QSettings(binPath("inputs.ini"), QSettings::IniFormat).setValue("cbPort.ItemIndex", *c.remembered);
    portNames = c.ports;
    portListFails = c.listingFails;

    start();

    auto* ports = control<QComboBox>("cbPort");
    EXPECT_EQ(ports->count(), c.listingFails ? 0 : c.ports.size());
    EXPECT_EQ(ports->currentIndex(), c.expectedPort);
    EXPECT_EQ(window->link().inputs.portName, c.expectedPort < 0 ? QString() : c.ports.value(c.expectedPort));
    auto* baud = control<QComboBox>("cbBaudRate");
    EXPECT_EQ(baud->count(), 15);
    EXPECT_EQ(baud->currentText(), "115200");
    EXPECT_EQ(window->link().inputs.speedIndex, 12);
    EXPECT_EQ(control<QLineEdit>("EditPassComm")->text(), "90817");
    EXPECT_EQ(control<QTabWidget>("PageControl_")->currentWidget()->objectName(), "TS_Main");
    EXPECT_EQ(window->windowTitle(), "QZV-6 Configurator");
    EXPECT_EQ(host.title, c.expectedTitle);
    EXPECT_EQ(host.messages, c.startFiles.isEmpty() ? QStringList{NoStartFile} : QStringList{});
    EXPECT_EQ(window->store().choice("EeAdr_TypeKeybord"), c.expectedKeypad);
    EXPECT_EQ(control<QComboBox>("EeAdr_TypeKeybord")->currentIndex(), c.expectedKeypad);
}

const QStringList TwoPorts{"ttyS0", "ttyUSB0"};

INSTANTIATE_TEST_SUITE_P(
    Cases, StartUpTest,
    testing::Values(
        StartCase{"FirstRun", {}, std::nullopt, TwoPorts, false, 0, "", 0},
        StartCase{"QzvStartFile", {"1_Start.qzv"}, std::nullopt, TwoPorts, false, 0,
                  "QZV-6 Configurator - [1_Start.qzv]", 3},
        StartCase{"BothStartFilesTakeQzv", {"1_Start.qzv", "1_Start.ini"}, std::nullopt, TwoPorts, false, 0,
                  "QZV-6 Configurator - [1_Start.qzv]", 3},
        StartCase{"OnlyIni", {"1_Start.ini"}, std::nullopt, TwoPorts, false, 0, "QZV-6 Configurator - [1_Start.ini]", 5},
        StartCase{"RememberedPort", {}, 1, TwoPorts, false, 1, "", 0},
        StartCase{"RememberedPortBeyondList", {}, 5, TwoPorts, false, -1, "", 0},
        StartCase{"RememberedNoPort", {}, -1, TwoPorts, false, -1, "", 0},
        StartCase{"NoSerialPorts", {}, std::nullopt, {}, false, -1, "", 0},
        StartCase{"ListingFailsQuietly", {}, std::nullopt, TwoPorts, true, -1, "", 0}),
    [](const testing::TestParamInfo<StartCase>& info) { return info.param.name; });

TEST_F(WindowTest, FirstRunShowsTheEnrolmentDefaults)
{
    start();
    EXPECT_EQ(control<QLineEdit>("Edit_User_Ibutton")->text(), "02");
    EXPECT_EQ(control<QLineEdit>("Edit_User_acss")->text(), "21");
}

TEST_F(WindowTest, ClosingStoresTheThreeInputsWithoutAsking)
{
    struct Inputs {
        int port;
        QString user;
        QString access;
    };
    for (const Inputs& inputs : {Inputs{1, "17", "2A"}, Inputs{-1, "", "2"}}) {
        SCOPED_TRACE(inputs.port);
        startShown();
        control<QComboBox>("cbPort")->setCurrentIndex(inputs.port);
        control<QLineEdit>("Edit_User_Ibutton")->setText(inputs.user);
        control<QLineEdit>("Edit_User_acss")->setText(inputs.access);
        EXPECT_TRUE(window->close());
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(host.questions.isEmpty());
        const QSettings stored(binPath("inputs.ini"), QSettings::IniFormat);
        EXPECT_EQ(stored.value("cbPort.ItemIndex").toInt(), inputs.port);
        EXPECT_EQ(stored.value("Edit_User_Ibutton.Text").toString(), inputs.user);
        EXPECT_EQ(stored.value("Edit_User_acss.Text").toString(), inputs.access);

        start();
        EXPECT_EQ(control<QComboBox>("cbPort")->currentIndex(), inputs.port);
        EXPECT_EQ(control<QLineEdit>("Edit_User_Ibutton")->text(), inputs.user);
        EXPECT_EQ(control<QLineEdit>("Edit_User_acss")->text(), inputs.access);
    }
}

TEST_F(WindowTest, RememberedValuesTheControlsWouldRefuseLeaveThemAsTheyAre)
{
    QSettings stored(binPath("inputs.ini"), QSettings::IniFormat);
    stored.setValue("cbPort.ItemIndex", "ttyUSB0");
    stored.setValue("Edit_User_Ibutton.Text", "123");
    stored.setValue("Edit_User_acss.Text", "2a");
    stored.sync();
    start();
    EXPECT_EQ(control<QComboBox>("cbPort")->currentIndex(), 0);
    EXPECT_EQ(control<QLineEdit>("Edit_User_Ibutton")->text(), "02");
    EXPECT_EQ(control<QLineEdit>("Edit_User_acss")->text(), "21");
}

TEST_F(WindowTest, ClosingDuringAPanelOperationStopsItFirst)
{
    startShown();
    bool closedInside = true;
    window->link().runOperation([&] {
        window->close();
        closedInside = !window->isVisible();
        EXPECT_TRUE(window->link().CancelRequested);
    });
    EXPECT_FALSE(closedInside);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_TRUE(QFile::exists(binPath("inputs.ini")));
}

TEST_F(WindowTest, PortsAreListedByNamesAPersonKnowsAndOpenedByTheirFullName)
{
    const QString panel = folder.path() + "/qzv6-panels/QZV-6-virtual";
    portNames = {"ttyS0", "ttyUSB0", panel};
    portDescriptions = {{"ttyUSB0", "FT232R USB UART"}, {"ttyS0", "ttyS0"}};
    start();
    auto* ports = control<QComboBox>("cbPort");
    const QStringList shown{"ttyS0", "ttyUSB0 — FT232R USB UART", "QZV-6-virtual"};
    const QStringList tips{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/" + panel};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ports->itemText(i), shown[i]);
        EXPECT_EQ(ports->itemData(i, Qt::ToolTipRole).toString(), tips[i]);
        ports->setCurrentIndex(i);
        EXPECT_EQ(window->link().inputs.portName, portNames[i]);
    }
    EXPECT_GE(ports->view()->minimumWidth(), ports->fontMetrics().horizontalAdvance(shown[1]));
}

// The port chosen last time by its name, wherever it stands now; its place when the name is gone.
TEST_F(WindowTest, TheRememberedPortIsFoundByNameBeforePlace)
{
    struct Case {
        const char* name;
        QStringList ports; // this run's list
        QString expected;
    };
    const Case cases[] = {
        {"an adapter more before it", {"ttyACM0", "ttyS0", "ttyUSB0"}, "ttyUSB0"},
        {"the one before it gone", {"ttyUSB0"}, "ttyUSB0"},
        {"itself gone: its place", {"ttyACM0", "ttyS1", "ttyS3"}, "ttyS1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        portNames = {"ttyS0", "ttyUSB0"};
        startShown();
        control<QComboBox>("cbPort")->setCurrentIndex(1);
        ASSERT_TRUE(window->close());
        EXPECT_EQ(QSettings(binPath("inputs.ini"), QSettings::IniFormat).value("cbPort.ItemIndex").toInt(), 1);

        portNames = c.ports;
        start();
        EXPECT_EQ(window->link().inputs.portName, c.expected);
    }
}

TEST_F(WindowTest, BothLinkLabelsOpenTheDeviceManagerAfterTheInformationSound)
{
    startShown();
    for (const char* name : {"Label_Port", "Label_Pass"}) {
        SCOPED_TRACE(name);
        host.sounds.clear();
        const int before = deviceManagerOpened;
        QTest::mouseClick(control(name), Qt::LeftButton);
        EXPECT_EQ(host.sounds, QList<Sound>{Sound::Information});
        EXPECT_EQ(deviceManagerOpened, before + 1);
    }
}

} // namespace
