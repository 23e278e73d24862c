#include "ui/mainwindow.h"

#include "link/baudrates.h"
#include "link/host.h"
#include "model/catalogue.h"
#include "model/pages.h"
#include "service/keyenrolment.h"
#include "service/loopmemorisation.h"
#include "service/monitor.h"
#include "service/monitorrecording.h"
#include "transfer/configread.h"
#include "transfer/configwrite.h"
#include "transfer/panelcompare.h"
#include "ui/apptexts.h"
#include "ui/choicebox.h"
#include "ui/clicklabel.h"
#include "ui/desktop.h"
#include "ui/enrolmentpanel.h"
#include "ui/hovertabstyle.h"
#include "ui/inputrulevalidator.h"
#include "ui/mainpage.h"
#include "ui/monitorchartwindow.h"
#include "ui/monitorpage.h"
#include "ui/pagebuilder.h"
#include "ui/panelfinder.h"
#include "ui/pictures.h"
#include "ui/portchoice.h"
#include "ui/screenfit.h"
#include "ui/settingcontrols.h"
#include "ui/comparedialog.h"
#include "ui/transfernotice.h"
#include "ui/writesafetyboxes.h"
#include "ui/tracesaving.h"
#include "ui/usersgrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace {

using Action = MainWindow::Action;

struct ButtonRow {
    Action action;
    const char* name;
    const char* caption;
    const char* hint;
    ButtonPicture picture;
};

constexpr ButtonRow Buttons[] = {
    {Action::Open, "PNGButton_Open", "Открыть", "Открыть с файла на компьютере", ButtonPicture::Open},
    {Action::Save, "PNGButton_Save", "Сохранить", "Сохранить в файл на компьютере", ButtonPicture::Save},
    {Action::Read, "PNGButton_Read", "Прочитать", "", ButtonPicture::Read},
    {Action::Write, "ButtonWrite", "Записать", "Записать\r(после записи проводится Reset)", ButtonPicture::Write},
    {Action::Memory, "Button_Memory", "Запомнить",
     "Перед нажатием, зоны должны быть в норме\r(двери закрыты, датчик движения успокоился и т.п.)",
     ButtonPicture::Memory},
};

constexpr int StartBaudIndex = 12;
constexpr int LinkGroupWidth = 140;
// Fits a 1366 x 768 laptop screen with its task bar and the window's title bar.
constexpr QSize WindowSize{1120, 680};
constexpr int MemoHeight = 92;
const QString StatePeriodSetting = QStringLiteral("EeAdr_PER_STS_CH");
const QString RenumberFamily = QStringLiteral("EeAdr_ShiftZones");

QString Text(const char* utf8)
{
    return AppTexts::Display(QString::fromUtf8(utf8));
}

ClickLabel* LinkLabel(const QString& text, const QString& name, const QString& hint)
{
    auto* label = new ClickLabel(text);
    label->setObjectName(name);
    label->setToolTip(hint);
    return label;
}

} // namespace

MainWindow::MainWindow(Host& host, SerialPort& port, MainWindowSetup setup, QWidget* parent)
    : QWidget(parent),
      host_(host),
      setup_(std::move(setup)),
      link_(port, host),
      remembered_(setup_.rememberedInputsFile),
      controls_(new SettingControls(store_, this)),
      monitor_(new Monitor(link_, this)),
      recording_(new MonitorRecording(this)),
      keyEnrolment_(new KeyEnrolment(link_, [this] { run(Action::Read); }, this))
{
    setObjectName(QStringLiteral("MainForm"));
    // A fixed window: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(AppTexts::Title);
    setWindowIcon(ProgramIcon());

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(buildLinkGroup());
    top->addWidget(buildPages(), 1);

    QWidget* memo = controls_->create(*FindSetting(QStringLiteral("AboutMemo")), this);
    memo->setFixedHeight(MemoHeight);
    // The design size scrolls within a window that a small screen makes smaller.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("MainFormContent"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top, 1);
    // The write's safety choices and the compare, in a row under the pages: the link column is full.
    auto* compare = new QPushButton(QStringLiteral("Сравнить с ППК"));
    compare->setObjectName(QStringLiteral("Button_Compare"));
    compare->setToolTip(QStringLiteral("Прочитать ППК и показать, чем он отличается от окна (Ctrl+D)"));
    connect(compare, &QPushButton::clicked, this, [this] { run(Action::Compare); });
    auto* safety = new QHBoxLayout;
    safety->addWidget(CreateWriteSafetyBoxes());
    safety->addWidget(compare);
    safety->addStretch(1);
    layout->addLayout(safety);
    layout->addWidget(new TransferNotice(this));
    layout->addWidget(memo);
    content->setFixedSize(WindowSize);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    setFixedSize(WindowSize);

    hookOperations();
    followLinkInputs();
    // The window sees every key before the focused control does.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

QWidget* MainWindow::buildLinkGroup()
{
    auto* group = new QGroupBox;
    group->setObjectName(QStringLiteral("GroupBox_OSW"));
    group->setFixedWidth(LinkGroupWidth);
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);

    ClickLabel* portLabel = LinkLabel(QStringLiteral("Порт:"), QStringLiteral("Label_Port"),
                                      QStringLiteral("Счелткните для открытия Диспетчера устройств"));
    cbPort_ = new ChoiceBox;
    cbPort_->setObjectName(QStringLiteral("cbPort"));
    cbPort_->setToolTip(QStringLiteral("Ctrl+Q для обновления списка"));
    cbPort_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbPort_->setMinimumContentsLength(8);

    ClickLabel* passLabel = LinkLabel(QStringLiteral("Пароль ЦП:"), QStringLiteral("Label_Pass"), {});
    editPassComm_ = new QLineEdit(QStringLiteral("90817"));
    editPassComm_->setObjectName(QStringLiteral("EditPassComm"));
    editPassComm_->setToolTip(QStringLiteral("Изначально 90817"));
    editPassComm_->setMaxLength(16);
    editPassComm_->setValidator(new InputRuleValidator(SettingKind::CodeText, 16, editPassComm_));
    editPassComm_->setAlignment(Qt::AlignCenter);

    // Out of the way under the password, rather than hidden beyond the window's edge.
    cbBaudRate_ = new ChoiceBox;
    cbBaudRate_->setObjectName(QStringLiteral("cbBaudRate"));
    cbBaudRate_->setToolTip(Text("Швидкість\r(більшість 115200)"));
    for (const qint32 rate : BaudRates)
        cbBaudRate_->addItem(QString::number(rate));

    for (ClickLabel* label : {portLabel, passLabel})
        connect(label, &ClickLabel::clicked, this, &MainWindow::Label_PortClick);

    column->addWidget(portLabel);
    column->addWidget(cbPort_);
    auto* find = new QToolButton;
    find->setObjectName(QStringLiteral("Button_FindPanel"));
    find->setText(FindPanelCaption);
    find->setToolTip(FindPanelHint);
    find->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(find, &QToolButton::clicked, this, [this] {
        if (!refusedWhileBusy(true))
            FindPanel(link_, host_, *cbPort_);
    });
    column->addWidget(find);
    column->addSpacing(4);
    column->addWidget(passLabel);
    column->addWidget(editPassComm_);
    column->addWidget(cbBaudRate_);
    column->addSpacing(10);
    for (const ButtonRow& row : Buttons) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(row.name));
        button->setText(Text(row.caption));
        button->setToolTip(Text(row.hint));
        button->setIcon(ButtonIcon(row.picture));
        button->setIconSize(QSize(36, 36));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const Action action = row.action;
        connect(button, &QToolButton::clicked, this, [this, action] { run(action); });
        column->addWidget(button);
    }
    column->addStretch(1);
    auto* trace = new QToolButton;
    trace->setObjectName(QStringLiteral("Button_Trace"));
    trace->setText(TraceButtonCaption);
    trace->setToolTip(TraceButtonHint);
    trace->setAutoRaise(true);
    trace->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(trace, &QToolButton::clicked, this, &MainWindow::saveTrace);
    column->addWidget(trace);
    return group;
}

QWidget* MainWindow::buildPages()
{
    pages_ = new QTabWidget;
    pages_->setObjectName(QStringLiteral("PageControl_"));
    pages_->setUsesScrollButtons(false);
    auto* tabStyle = new HoverTabStyle;
    tabStyle->setParent(pages_);
    pages_->tabBar()->setStyle(tabStyle);
    pages_->tabBar()->setAttribute(Qt::WA_Hover);
    for (const PageFacts& facts : Pages()) {
        auto* page = new QWidget;
        page->setObjectName(facts.name);
        auto* layout = new QHBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        if (facts.name == QLatin1String("TS_Main")) {
            layout->addWidget(BuildMainPage());
        } else if (facts.name == QLatin1String("TS_Zones")) {
            layout->addWidget(BuildZoneTable(*controls_));
        } else if (facts.name == QLatin1String("TS_Users")) {
            layout->addWidget(buildUsersPage());
        } else if (facts.name == QLatin1String("TS_Monitor")) {
            layout->addWidget(buildMonitorPage());
        } else {
            layout->addWidget(BuildOptionsPage(facts.name, *controls_), 1);
        }
        if (facts.name == QLatin1String("TS_Apparatura")) {
            auto* picture = new QLabel;
            picture->setObjectName(QStringLiteral("Image_Communicator"));
            picture->setPixmap(CommunicatorBoardPicture());
            layout->addWidget(picture, 0, Qt::AlignRight | Qt::AlignBottom);
        }
        pages_->addTab(page, facts.caption);
    }
    for (const SettingDef& def : SettingsCatalogue())
        if (def.family == RenumberFamily)
            if (auto* box = pages_->findChild<QComboBox*>(def.name))
                connect(box, &QComboBox::activated, this, &MainWindow::EeAdr_ShiftZones_16Change);
    return pages_;
}

QWidget* MainWindow::buildUsersPage()
{
    auto* page = new QWidget;
    auto* left = new QVBoxLayout;
    auto* grid = new UsersGrid(store_);
    // As wide as its columns, so no empty band follows the descriptions.
    const int header = grid->verticalHeader()->isVisible() ? grid->verticalHeader()->sizeHint().width() : 0;
    grid->setFixedWidth(grid->horizontalHeader()->length() + header + grid->verticalScrollBar()->sizeHint().width() +
                        2 * grid->frameWidth());
    left->addWidget(grid, 1);
    QWidget* options = BuildOptionsPage(QStringLiteral("TS_Users"), *controls_);
    options->layout()->setContentsMargins(0, 4, 0, 0);
    left->addWidget(options);
    auto* enrolment = new EnrolmentPanel;
    connect(enrolment, &EnrolmentPanel::enrolmentRequested, keyEnrolment_, &KeyEnrolment::start);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(14);
    row->addLayout(left);
    row->addWidget(enrolment, 1);
    return page;
}

QWidget* MainWindow::buildMonitorPage()
{
    auto* page = new MonitorPage;
    connect(monitor_, &Monitor::statusReceived, page,
            [page](const MonitorStatus& status) { page->apply(decodeMonitorStatus(status, QLocale())); });
    connect(monitor_, &Monitor::txLedChanged, page, &MonitorPage::setTxLed);
    connect(page, &MonitorPage::keyClicked, monitor_, &Monitor::pressKey);
    connect(page, &MonitorPage::runClicked, monitor_, [this](bool ticked) { ticked ? monitor_->start() : monitor_->stop(); });
    connect(monitor_, &Monitor::statusReceived, recording_,
            [this](const MonitorStatus& status) { recording_->append(QDateTime::currentMSecsSinceEpoch(), status); });
    connect(page, &MonitorPage::chartsClicked, this, &MainWindow::showCharts);
    return page;
}

void MainWindow::hookOperations()
{
    operations_[int(Action::Open)] = [this] { PNGButton_OpenClick(store_, host_, setup_.folders); };
    operations_[int(Action::Save)] = [this] { PNGButton_SaveClick(store_, host_, setup_.folders); };
    operations_[int(Action::Read)] = [this] {
        const auto* temperature = findChild<QCheckBox*>(QStringLiteral("sCheckBox_ReadTemper"));
        ReadConfiguration(link_, store_, {temperature && temperature->isChecked(), QLocale()});
    };
    operations_[int(Action::Write)] = [this] {
        WriteOptions options = WriteOptionsOf(*this);
        options.backupFolder = setup_.backupFolder;
        if (const std::optional<QString> notice = WriteConfiguration(link_, store_, options).notice)
            findChild<TransferNotice*>()->setNotice(*notice);
    };
    operations_[int(Action::Memory)] = [this] { MemoriseLoops(link_); };
    operations_[int(Action::Compare)] = [this] {
        if (const auto differences = ComparePanel(link_, store_, QLocale()))
            ShowPanelComparison(this, host_, *differences);
    };
}

void MainWindow::followLinkInputs()
{
    connect(cbPort_, &QComboBox::currentIndexChanged, this, [this] { link_.inputs.portName = PortNameOf(*cbPort_); });
    connect(cbBaudRate_, &QComboBox::currentIndexChanged, this, [this](int index) { link_.inputs.speedIndex = index; });
    connect(editPassComm_, &QLineEdit::textChanged, this, [this](const QString& text) { link_.inputs.password = text; });
    link_.inputs = {PortNameOf(*cbPort_), cbBaudRate_->currentIndex(), editPassComm_->text()};
}

void MainWindow::FormCreate()
{
    setWindowTitle(AppTexts::Title);
    refreshPorts(false);
    cbPort_->setCurrentIndex(cbPort_->count() > 0 ? 0 : -1);
    cbBaudRate_->setCurrentIndex(StartBaudIndex);
    remembered_.restore(*this);
    pages_->setCurrentIndex(0);
    // Keys typed before anything is clicked switch pages rather than edit a value.
    pages_->tabBar()->setFocus();
    OpenStartFile(store_, host_, setup_.folders, false);
}

bool MainWindow::refusedWhileBusy(bool needsPort)
{
    // Another panel operation would interleave on the port; loading, saving or a
    // preset while a read or a write runs would mix two configurations. A monitor
    // tick or a key enrolment leaves the configuration alone.
    const bool transferRunning = running_ == Action::Read || running_ == Action::Write;
    if (!(needsPort ? link_.busy() : transferRunning))
        return false;
    host_.sound(Sound::Simple);
    return true;
}

void MainWindow::run(Action action)
{
    const bool needsPort = action != Action::Open && action != Action::Save;
    if (refusedWhileBusy(needsPort))
        return;
    const std::optional<Action> outer = running_;
    running_ = action;
    const auto restore = qScopeGuard([this, outer] { running_ = outer; });
    operations_[int(action)]();
}

bool MainWindow::refreshPorts(bool reportFailure)
{
    QList<PortEntry> entries;
    try {
        if (setup_.listPorts)
            entries = setup_.listPorts();
    } catch (const EComPort& error) {
        if (reportFailure)
            host_.message(error.text());
        return false;
    }
    FillPortList(*cbPort_, entries);
    return true;
}

void MainWindow::refreshPortList()
{
    if (!refreshPorts(true))
        return;
    cbPort_->setCurrentIndex(cbPort_->count() > 0 ? 0 : -1);
    host_.message(AppTexts::PortsRefreshed);
}

void MainWindow::reloadStartFile()
{
    if (refusedWhileBusy(false))
        return;
    OpenStartFile(store_, host_, setup_.folders, true);
}

void MainWindow::saveTrace()
{
    SaveProtocolTrace(link_.Trace, host_, setup_.folders.working);
}

void MainWindow::showCharts()
{
    if (!charts_)
        charts_ = new MonitorChartWindow(*recording_, host_, this);
    charts_->showWholeRecording();
    charts_->show();
    charts_->raise();
    charts_->activateWindow();
}

void MainWindow::stopExchange()
{
    link_.CancelRequested = true;
    host_.message(AppTexts::StoppedByUser);
}

void MainWindow::applyPreset(const ZonePreset& preset)
{
    if (refusedWhileBusy(false))
        return;
    ApplyZonePreset(store_, preset);
    host_.showPage(preset.page);
    host_.message(preset.message);
}

void MainWindow::unlockStatePeriod()
{
    if (auto* box = findChild<QWidget*>(StatePeriodSetting))
        box->setEnabled(true);
    host_.showPage(QStringLiteral("TS_Apparatura"));
    host_.message(AppTexts::StatePeriodUnlocked);
}

void MainWindow::Label_PortClick()
{
    host_.sound(Sound::Information);
    if (setup_.openDeviceManager) {
        setup_.openDeviceManager();
        return;
    }
    Desktop::OpenDeviceManager(this);
}

void MainWindow::EeAdr_ShiftZones_16Change()
{
    host_.message(AppTexts::RenumberReminder);
}

void MainWindow::FormKeyDown(HotKey key)
{
    switch (key) {
    case HotKey::None: break;
    case HotKey::ReloadStartFile: reloadStartFile(); break;
    case HotKey::Stop: stopExchange(); break;
    case HotKey::RefreshPorts: refreshPortList(); break;
    case HotKey::Memorise: run(Action::Memory); break;
    case HotKey::Open: run(Action::Open); break;
    case HotKey::Save: run(Action::Save); break;
    case HotKey::Write: run(Action::Write); break;
    case HotKey::Read: run(Action::Read); break;
    case HotKey::Compare: run(Action::Compare); break;
    case HotKey::Preset1: applyPreset(ZeroDelaysPreset()); break;
    case HotKey::Preset2: unlockStatePeriod(); break;
    case HotKey::Preset3: applyPreset(NormallyOpenPreset()); break;
    case HotKey::SaveTrace: saveTrace(); break;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || event == forwardedKey_)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    auto* target = qobject_cast<QWidget*>(watched);
    // A key travels up from the focused control to its parents; it is handled once, on arrival.
    QWidget* arrival = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (key->isAutoRepeat() || !target || target != arrival || target->window() != this)
        return false;
    const HotKey hotKey = HotKeyOf(*key, QGuiApplication::platformName());
    if (hotKey == HotKey::None)
        return false;
    // The action may show a box; once it closes nobody has the focus, and the press,
    // still travelling up from a control that ignored it, would arrive at the window
    // as a second one. So the window takes the press, runs its action, and then
    // hands the control a copy whose travel it leaves alone: the key is not lost.
    const QPointer<QWidget> receiver = target;
    FormKeyDown(hotKey);
    if (receiver) {
        const std::unique_ptr<QEvent> copy(key->clone());
        const QEvent* const outer = std::exchange(forwardedKey_, copy.get());
        QApplication::sendEvent(receiver, copy.get());
        forwardedKey_ = outer;
    }
    return true;
}

void MainWindow::FormCloseQuery()
{
    remembered_.store(*this);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A write cut short would leave the panel with a mix of old and new blocks: it runs
    // to its end, restart and message included, and the window closes then. Any other
    // panel operation stops at its next exchange.
    if (link_.busy()) {
        if (running_ != Action::Write)
            link_.CancelRequested = true;
        event->ignore();
        QTimer::singleShot(50, this, &QWidget::close);
        return;
    }
    FormCloseQuery();
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event)
{
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen())
            FitToScreen(*this, WindowSize, screen->availableGeometry());
    }
    QWidget::showEvent(event);
}
