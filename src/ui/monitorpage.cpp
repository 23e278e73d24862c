#include "ui/monitorpage.h"

#include "service/keypadkeys.h"
#include "service/monitorlamps.h"
#include "service/twostatetexts.h"
#include "ui/switchled.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int Zones = 16;
constexpr int Groups = 4;

const QHash<LampColour, QColor> lampColours = {
    {LampColour::Green, QColor(0x00, 0xD8, 0x00)}, {LampColour::Yellow, QColor(0xFF, 0xE0, 0x00)},
    {LampColour::Red, QColor(0xFF, 0x20, 0x20)},   {LampColour::Aqua, QColor(0x00, 0xE0, 0xFF)},
    {LampColour::Pink, QColor(0xFF, 0x60, 0xC8)},  {LampColour::Blue, QColor(0x20, 0x60, 0xFF)},
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

// The widest text each label can get, so that a change of text never moves the page.
QHash<QString, QStringList> widestTexts()
{
    QHash<QString, QStringList> texts = {
        {"sLabel_Uin", {"Uin=18.6V"}},
        {"sLabel_LB", {"BAT=100%"}},
        {"sLabel_USER", {"Пользов.: 255"}},
        {"sLabel_MON_TEMPEATURA", {"t = -3967.9375 C"}},
    };
    for (const TwoStateText& row : twoStateTexts)
        texts.insert(row.label, {QString::fromUtf8(row.set), QString::fromUtf8(row.clear)});
    for (int n = 1; n <= Zones; ++n) {
        const QString zone = "Зона " + twoDigits(n) + ": Сост.: ";
        texts.insert("sLabel_ZN_" + twoDigits(n), {zone + "НА ОХРАНЕ, Резист.: ОБРЫВ", zone + "НАРУШЕНА, Резист.: ОБРЫВ"});
        texts.insert("sLabel_RZ_" + twoDigits(n), {"Датчик " + twoDigits(n) + ": ТРЕВ. и НЕИСПР."});
    }
    return texts;
}

QGridLayout* compactGrid(QWidget* parent)
{
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(5, 2, 5, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    return grid;
}

QLabel* centredText(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

MonitorPage::MonitorPage(QWidget* parent) : QWidget(parent)
{
    QList<Caption> zones;
    QList<Caption> detectors;
    for (int n = 1; n <= Zones; ++n) {
        zones.append({"sLabel_ZN_" + twoDigits(n), "Зона " + twoDigits(n) + ':'});
        detectors.append({"sLabel_RZ_" + twoDigits(n), "Датчик " + twoDigits(n) + ':'});
    }

    auto* page = new QGridLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(4);

    auto* left = new QVBoxLayout;
    left->addWidget(captionGroup("Зоны (не используемая зона в обрыве)", zones));
    left->addWidget(captionGroup("Тампера", {{"sLabel_TAMPER_PPK", "Корпус ППК:"},
                                             {"sLabel_TAMPER_SLAVE", "Slave:"},
                                             {"sLabel_TAMPER_KEYBORD", "Клавиатура:"},
                                             {"sLabel_TAMPER_KEY_SABOTAGE", "Клав. откл.:"},
                                             {"sLabel_TAMPER_ZONES", "Зоны:"},
                                             {"sLabel_TAMPER_LIND", "Считыват.:"}},
                                 2));
    auto* supplyRow = new QHBoxLayout;
    supplyRow->addWidget(captionGroup("Питание", {{"sLabel_Uin", "Uin=V"}, {"sLabel_LB", "BAT=%"}}, 2));
    supplyRow->addWidget(captionGroup("Температура", {{"sLabel_MON_TEMPEATURA", "t = C"}}));
    left->addLayout(supplyRow);
    left->addWidget(userRow());
    left->addWidget(runRow());
    left->addStretch();

    auto* middle = new QVBoxLayout;
    middle->addWidget(captionGroup("Тампера и Батарейки VLN", detectors));
    middle->addWidget(captionGroup("Неисправности", {{"sLabelFAULT_220", "1-220В:"},
                                                     {"sLabel_FAULT_AKUM", "2-Аккум.:"},
                                                     {"sLabelFAULT_OK1", "3-OK1:"},
                                                     {"sLabelFAULT_TL", "4-TL-GSM:"},
                                                     {"sLabelFAULT_EXT", "5-Расшир.:"},
                                                     {"sLabelFAULT_LIND", "6-Считыв.:"},
                                                     {"sLabelFAULT_TAMPER", "7-Тампер:"},
                                                     {"sLabel_FAULT_TAMP_KLAVIATURA", "8-Тамп. кл.:"},
                                                     {"sLabel_FAULT_TAMP_SENSORS", "9-Тамп. дат.:"},
                                                     {"sLabel_FAULT_BAT_SENS", "10-Бат.дат:"},
                                                     {"sLabel_FAULT_POWER", "11-Пит.:"},
                                                     {"sLabel_FAULT_12", "12 - "}}));
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(keypadGroup());
    right->addWidget(captionGroup("Выхода", {{"sLabel_OK1", "ОК 1:"},
                                             {"sLabel_OK2", "ОК 2:"},
                                             {"sLabel_OK3", "ОК 3:"},
                                             {"sLabel_TERMOSTAT", "Термостат:"},
                                             {"sLabel_VIRTUAL1", "Вирт.вых.1:"}}));
    right->addWidget(captionGroup("Slave", {{"sLabel_SLAVE_220", "220В:"},
                                            {"sLabel_SLAVE_AKUM", "Аккум:"},
                                            {"sLabel_SLAVE_SIRENA", "Сирена:"},
                                            {"sLabel_SLAVE_TAMPER", "Тампер:"}}));
    right->addStretch();

    page->addLayout(left, 0, 0);
    page->addLayout(middle, 0, 1);
    page->addLayout(right, 0, 2);
    reserveWidths();
}

QLabel* MonitorPage::addLabel(const Caption& caption, QWidget* parent)
{
    auto* label = new QLabel(caption.caption, parent);
    label->setObjectName(caption.name);
    labels_.insert(caption.name, label);
    return label;
}

SwitchLed* MonitorPage::addLamp(const QString& name, QWidget* parent)
{
    auto* lamp = new SwitchLed(parent);
    lamp->setObjectName(name);
    for (const MonitorLamp& row : monitorLamps())
        if (row.name == name)
            lamp->setOnColour(lampColours.value(row.colour));
    lamps_.insert(name, lamp);
    return lamp;
}

QGroupBox* MonitorPage::captionGroup(const QString& title, const QList<Caption>& captions, int columns)
{
    auto* group = new QGroupBox(title, this);
    auto* grid = compactGrid(group);
    const int rows = (int(captions.size()) + columns - 1) / columns;
    for (int i = 0; i < captions.size(); ++i)
        grid->addWidget(addLabel(captions[i], group), i % rows, i / rows);
    return group;
}

QWidget* MonitorPage::lampWithText(const QString& lamp, const QString& text, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(addLamp(lamp, box));
    row->addWidget(new QLabel(text, box));
    return box;
}

QWidget* MonitorPage::lampAboveText(const QString& lamp, const QString& text, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(addLamp(lamp, box), 0, Qt::AlignCenter);
    column->addWidget(centredText(text, box));
    return box;
}

QGroupBox* MonitorPage::keypadGroup()
{
    auto* group = new QGroupBox("Клавиатура", this);
    auto* grid = compactGrid(group);
    grid->setHorizontalSpacing(6);

    auto* status = new QHBoxLayout;
    status->setSpacing(8);
    status->addWidget(lampAboveText("SwitchLed_POWER", "Питание", group));
    status->addWidget(lampAboveText("SwitchLed_FAULT", "Неиспр.", group));
    status->addWidget(lampAboveText("SwitchLed_MODEM", "Модем", group));
    grid->addLayout(status, 0, 0, 1, 8);

    // A column per group A to D: the green lamp, the letter, the red lamp.
    for (int g = 1; g <= Groups; ++g) {
        const int column = 2 * (g - 1);
        grid->addWidget(addLamp("SwitchLed_GR_" + QString::number(g), group), 1, column, Qt::AlignCenter);
        grid->addWidget(centredText(QString(QChar('A' + g - 1)), group), 2, column);
        grid->addWidget(addLamp("SwitchLed_AL_" + QString::number(g), group), 3, column, Qt::AlignCenter);
    }
    grid->setRowMinimumHeight(4, 6); // keeps the group lamps apart from the zone lamps
    for (int zone = 1; zone <= Zones; ++zone) {
        const int row = zone <= 8 ? 5 : 7;
        const int column = (zone - 1) % 8;
        grid->addWidget(addLamp("SwitchLed_CH_" + twoDigits(zone), group), row, column, Qt::AlignCenter);
        grid->addWidget(centredText(QString::number(zone), group), row + 1, column);
    }
    grid->addWidget(keypadButtons(group), 9, 0, 1, 8, Qt::AlignCenter);
    return group;
}

QWidget* MonitorPage::keypadButtons(QWidget* parent)
{
    auto* pad = new QWidget(parent);
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 6, 0, 0);
    grid->setSpacing(3);
    QFont font = pad->font();
    font.setBold(true);
    for (int i = 0; i < int(keypadKeys.size()); ++i) {
        const KeypadKey& key = keypadKeys[size_t(i)];
        auto* button = new QPushButton(key.caption, pad);
        button->setObjectName(key.name);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->setEnabled(false); // until the monitor runs: a click before would be dropped
        button->setFixedSize(30, 24);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, code = key.code] { emit keyClicked(code); });
        keys_.insert(key.name, button);
        grid->addWidget(button, i / 3, i % 3);
    }
    return pad;
}

QGroupBox* MonitorPage::remoteLampsGroup()
{
    auto* group = new QGroupBox(this);
    group->setToolTip("Выносные светодиоды состояния охраны");
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(6, 4, 6, 4);
    for (int g = 0; g < Groups; ++g) {
        const QString letter(QChar('A' + g));
        row->addWidget(lampWithText("SwitchLed_LED_GR_" + letter, letter, group));
    }
    return group;
}

QWidget* MonitorPage::userRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(6, 0, 2, 0);
    auto* user = addLabel({"sLabel_USER", "Пользов.:"}, box);
    user->setToolTip("Показывает номер последнего пользователя");
    row->addWidget(user);
    row->addStretch();
    row->addWidget(new QLabel("Звук:", box));
    row->addWidget(addLamp("SwitchLed_BUZZER", box));
    row->addStretch();
    row->addWidget(remoteLampsGroup());
    return box;
}

QWidget* MonitorPage::runRow()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(6, 0, 2, 0);
    run_ = new QCheckBox("ПУСК", box);
    run_->setObjectName("sCheckBox_Run");
    connect(run_, &QCheckBox::clicked, this, &MonitorPage::runClicked);
    connect(run_, &QCheckBox::toggled, this, [this](bool ticked) {
        for (QPushButton* key : std::as_const(keys_))
            key->setEnabled(ticked);
    });
    row->addWidget(run_);
    row->addSpacing(12);
    tx_ = new SwitchLed(box);
    tx_->setObjectName("SwitchLed_Tx");
    tx_->setOnColour(lampColours.value(LampColour::Pink));
    row->addWidget(tx_);
    row->addWidget(new QLabel("Tx", box));
    rx_ = new SwitchLed(box);
    rx_->setObjectName("SwitchLed_Rx");
    rx_->setOnColour(lampColours.value(LampColour::Blue));
    row->addWidget(rx_);
    row->addWidget(new QLabel("Rx", box));
    staleNote_ = new QLabel("устарело", box);
    staleNote_->setObjectName("Label_MonitorStale");
    staleNote_->setToolTip("Новых блоков состояния нет более 1,5 с: картина устарела");
    // Keeps its place, so the row does not jump when the note comes and goes.
    QSizePolicy keepPlace = staleNote_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    staleNote_->setSizePolicy(keepPlace);
    staleNote_->hide();
    row->addSpacing(8);
    row->addWidget(staleNote_);
    row->addStretch();
    auto* charts = new QPushButton("Графики", box);
    charts->setObjectName("Button_Charts");
    charts->setToolTip("Графики записи мониторинга: питание, температура, шлейфы зон");
    connect(charts, &QPushButton::clicked, this, &MonitorPage::chartsClicked);
    row->addWidget(charts);
    staleTimer_ = new QTimer(this);
    staleTimer_->setSingleShot(true);
    staleTimer_->setInterval(StaleAfterMs);
    connect(staleTimer_, &QTimer::timeout, this, [this] { setStale(true); });
    return box;
}

void MonitorPage::reserveWidths()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const QHash<QString, QStringList> widest = widestTexts();
    for (auto it = widest.cbegin(); it != widest.cend(); ++it) {
        int width = 0;
        for (const QString& text : it.value())
            width = std::max(width, metrics.horizontalAdvance(text));
        labels_.value(it.key())->setMinimumWidth(width);
    }
}

void MonitorPage::setText(QLabel* label, const MonitorText& text)
{
    label->setText(text.text);
    QFont font = label->font();
    font.setBold(text.emphasis != TextEmphasis::Plain);
    label->setFont(font);
    // The disabled colour stays the style's, so a stale picture greys whatever it says.
    QPalette palette = label->palette();
    const QColor colour = text.emphasis == TextEmphasis::Alert ? QColor(0xC0, 0x00, 0x00)
                                                               : this->palette().color(QPalette::WindowText);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, colour);
    label->setPalette(palette);
}

void MonitorPage::setStale(bool stale)
{
    stale_ = stale;
    staleNote_->setVisible(stale);
    for (QLabel* label : std::as_const(labels_))
        label->setEnabled(!stale);
    for (SwitchLed* lamp : std::as_const(lamps_))
        lamp->setEnabled(!stale);
}

void MonitorPage::apply(const MonitorView& view)
{
    staleTimer_->start();
    if (stale_)
        setStale(false);
    rx_->setState(SwitchLed::LedOn);
    for (auto it = view.texts.cbegin(); it != view.texts.cend(); ++it)
        if (QLabel* label = labels_.value(it.key()))
            setText(label, it.value());
    // Paints the lit Rx and the new texts before the rest follows.
    repaint();
    for (auto it = view.lamps.cbegin(); it != view.lamps.cend(); ++it)
        if (SwitchLed* lamp = lamps_.value(it.key()))
            lamp->setState(it.value() ? SwitchLed::LedOn : SwitchLed::LedOff);
    for (auto it = keys_.cbegin(); it != keys_.cend(); ++it) {
        QFont font = it.value()->font();
        font.setUnderline(it.key() == view.underlinedKey);
        it.value()->setFont(font);
    }
    rx_->setState(SwitchLed::LedOff);
}

void MonitorPage::setTxLed(bool lit)
{
    tx_->setState(lit ? SwitchLed::LedOn : SwitchLed::LedOff);
}

bool MonitorPage::isRunTicked() const
{
    return run_->isChecked();
}
