#pragma once

#include "files/fileoperations.h"
#include "link/panellink.h"
#include "link/portlist.h"
#include "model/settingsstore.h"
#include "ui/hotkeys.h"
#include "ui/presets.h"
#include "ui/rememberedinputs.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class Host;
class KeyEnrolment;
class Monitor;
class MonitorChartWindow;
class MonitorRecording;
class QComboBox;
class QLineEdit;
class QTabWidget;
class SerialPort;
class SettingControls;

// What the window takes from its surroundings, so that tests can give their own.
struct MainWindowSetup {
    FileFolders folders = FileFolders::current();
    QString rememberedInputsFile;             // empty: the user's standard place
    std::function<QList<PortEntry>()> listPorts; // the system's serial ports; may throw EComPort
    std::function<void()> openDeviceManager;  // empty: the window's list of serial devices
    QString backupFolder;                     // empty: the user's standard place for backups
};

// The whole user interface: the link inputs and action buttons on the left, the
// pages of Settings built from the catalogue, the comment memo below. It owns
// the Settings' store and the link for the whole run.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    // The actions behind the five buttons and their hot keys.
    enum class Action { Open, Save, Read, Write, Memory, Compare };

    MainWindow(Host& host, SerialPort& port, MainWindowSetup setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps: port list, first port, 115200 baud, remembered inputs, start file.
    void FormCreate();

    SettingsStore& store() { return store_; }
    PanelLink& link() { return link_; }
    MonitorRecording& recording() { return *recording_; }

    // Runs an action unless a panel operation is running.
    void run(Action action);

    void Label_PortClick();
    void EeAdr_ShiftZones_16Change();
    void FormKeyDown(HotKey key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildLinkGroup();
    QWidget* buildPages();
    QWidget* buildUsersPage();
    QWidget* buildMonitorPage();
    void hookOperations();
    void followLinkInputs();
    // needsPort: a panel operation; else an operation on the configuration alone.
    bool refusedWhileBusy(bool needsPort);
    bool refreshPorts(bool reportFailure);
    void refreshPortList();
    void reloadStartFile();
    void stopExchange();
    void saveTrace();
    void showCharts();
    void applyPreset(const ZonePreset& preset);
    void unlockStatePeriod();
    void FormCloseQuery();

    Host& host_;
    MainWindowSetup setup_;
    SettingsStore store_;
    PanelLink link_;
    RememberedInputs remembered_;
    SettingControls* controls_;
    Monitor* monitor_;
    MonitorRecording* recording_;
    MonitorChartWindow* charts_ = nullptr;
    KeyEnrolment* keyEnrolment_;
    std::array<std::function<void()>, 6> operations_;
    QComboBox* cbPort_ = nullptr;
    QComboBox* cbBaudRate_ = nullptr;
    QLineEdit* editPassComm_ = nullptr;
    QTabWidget* pages_ = nullptr;
    bool centred_ = false;
    std::optional<Action> running_;       // the action running now, if any
    const QEvent* forwardedKey_ = nullptr; // a hot key's copy on its way to the focused control
};
