#include "ui/pagebuilder.h"

#include "model/catalogue.h"
#include "model/pages.h"
#include "ui/apptexts.h"
#include "ui/settingcontrols.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

#include <array>

namespace {

// Settings drawn on the line of another one rather than on a line of their own.
struct SharedLine {
    const char* name;
    const char* lineOf;
};
constexpr SharedLine SharedLines[] = {
    {"EeAdr_SLAVE_ADRESS", "_eee_En_ParalelSlave"},
    {"_eee_SZO_in_sec", "EeAdr_SZO_TIMEOUT"},
    {"EeAdr_TimeOut220V", "_eee_Control_IP"},
    {"EeAdr_COD_VHOD", "_eee_SendEvVhod"},
};

// The first Setting of a page's second column; the rest of the page follows it there.
struct SecondColumn {
    const char* page;
    const char* firstSetting;
};
constexpr SecondColumn SecondColumns[] = {
    {"TS_Outputs", "_eee_EnVirtOut_1"},
    {"TS_Others", "_eee_OneCode_A_B"},
};

// The thermostat thresholds live in the temperature frame, each after its numbered step.
struct FramedSetting {
    const char* name;
    QString HardwarePageTexts::*step;
};
constexpr FramedSetting TemperatureFrame[] = {
    {"EeAdr_DS18B20_on_HI", &HardwarePageTexts::stepSwitchOn},
    {"EeAdr_DS18B20_off_HI", &HardwarePageTexts::stepSwitchOff},
};

template <typename Row, std::size_t N>
const Row* FindRow(const Row (&rows)[N], const QString& name)
{
    for (const Row& row : rows)
        if (name == QLatin1String(row.name))
            return &row;
    return nullptr;
}

const char* SecondColumnStart(const QString& page)
{
    for (const SecondColumn& column : SecondColumns)
        if (page == QLatin1String(column.page))
            return column.firstSetting;
    return nullptr;
}

// Code and number edits are as wide as their longest text, not as the page.
void FitToLength(QWidget* control, const SettingDef& def)
{
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit || def.maxLength <= 0)
        return;
    const int chars = std::max(def.maxLength, 4);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('D'))) + 14);
}

class OptionsPageBuilder {
public:
    OptionsPageBuilder(const QString& page, SettingControls& controls) : page_(page), controls_(controls) {}

    QWidget* build()
    {
        auto* content = new QWidget;
        auto* row = new QHBoxLayout(content);
        row->setContentsMargins(12, 12, 12, 12);
        row->setSpacing(16);
        for (auto& column : columns_) {
            column = new QGridLayout;
            column->setHorizontalSpacing(8);
            column->setVerticalSpacing(6);
            column->setColumnStretch(2, 1);
        }
        const char* secondStart = SecondColumnStart(page_);
        int current = 0;
        std::vector<const SettingDef*> shared, framed;
        for (const SettingDef& def : SettingsCatalogue()) {
            if (def.page != page_ || def.kind == SettingKind::Grid)
                continue;
            if (secondStart && def.name == QLatin1String(secondStart))
                current = 1;
            if (FindRow(SharedLines, def.name))
                shared.push_back(&def);
            else if (FindRow(TemperatureFrame, def.name))
                framed.push_back(&def);
            else
                addLine(current, def);
        }
        for (const SettingDef* def : shared)
            addToLine(*def);
        if (!framed.empty())
            addFrame(framed);
        row->addLayout(columns_[0]);
        if (columns_[1]->count() > 0)
            row->addLayout(columns_[1]);
        for (QGridLayout* column : columns_)
            column->setRowStretch(column->rowCount(), 1);
        row->addStretch(1);
        return content;
    }

private:
    QHBoxLayout* newLine(int column, QLabel* label)
    {
        QGridLayout* grid = columns_[column];
        const int row = grid->rowCount();
        auto* line = new QHBoxLayout;
        line->setSpacing(8);
        if (label) {
            grid->addWidget(label, row, 0);
            grid->addLayout(line, row, 1, 1, 2);
        } else {
            grid->addLayout(line, row, 0, 1, 3);
        }
        line->addStretch(1);
        return line;
    }

    static QLabel* captionLabel(const SettingDef& def)
    {
        if (def.kind == SettingKind::Flag || def.caption.isEmpty())
            return nullptr;
        auto* label = new QLabel(AppTexts::Display(def.caption));
        label->setToolTip(AppTexts::Display(def.hint));
        return label;
    }

    QWidget* control(const SettingDef& def)
    {
        QWidget* widget = controls_.create(def, nullptr);
        FitToLength(widget, def);
        return widget;
    }

    static void append(QHBoxLayout* line, QWidget* widget)
    {
        line->insertWidget(line->count() - 1, widget); // before the closing stretch
    }

    void addLine(int column, const SettingDef& def)
    {
        QHBoxLayout* line = newLine(column, captionLabel(def));
        append(line, control(def));
        lines_.insert(def.name, line);
        if (def.name == QLatin1String("_eee_TamperOnTl")) {
            auto* note = new QLabel(HardwareTexts().tamperOnTlNote);
            note->setObjectName(QStringLiteral("sLabel_TamperOnTlNote"));
            append(line, note);
        }
    }

    void addToLine(const SettingDef& def)
    {
        QHBoxLayout* line = lines_.value(QString::fromLatin1(FindRow(SharedLines, def.name)->lineOf));
        if (!line)
            return;
        line->insertSpacing(line->count() - 1, 12);
        if (QLabel* label = captionLabel(def))
            append(line, label);
        append(line, control(def));
    }

    void addFrame(const std::vector<const SettingDef*>& framed)
    {
        const HardwarePageTexts& texts = HardwareTexts();
        auto* frame = new QGroupBox(texts.temperatureFrame);
        frame->setObjectName(QStringLiteral("sGroupBox_DS18B20"));
        auto* grid = new QGridLayout(frame);
        grid->setColumnStretch(2, 1);
        auto* readTemperature = new QCheckBox(texts.readTemperature);
        readTemperature->setObjectName(QStringLiteral("sCheckBox_ReadTemper"));
        grid->addWidget(readTemperature, 0, 0, 1, 3, Qt::AlignRight);
        grid->addWidget(new QLabel(texts.stepTmMode), 1, 0, 1, 3);
        for (const SettingDef* def : framed) {
            const int row = grid->rowCount();
            grid->addWidget(new QLabel(texts.*(FindRow(TemperatureFrame, def->name)->step)), row, 0);
            grid->addWidget(control(*def), row, 1);
        }
        QGridLayout* column = columns_[0];
        column->addItem(new QSpacerItem(0, 10), column->rowCount(), 0);
        column->addWidget(frame, column->rowCount(), 0, 1, 3);
    }

    QString page_;
    SettingControls& controls_;
    std::array<QGridLayout*, 2> columns_{};
    QHash<QString, QHBoxLayout*> lines_;
};

struct ZoneColumn {
    QString heading;
    QString hint;
    std::vector<const SettingDef*> members; // zone 1 first
};

std::vector<ZoneColumn> ZoneColumns()
{
    std::vector<ZoneColumn> columns;
    for (const SettingDef& def : SettingsCatalogue()) {
        if (def.family.isEmpty())
            continue;
        if (columns.empty() || columns.back().members.front()->family != def.family)
            columns.push_back({def.caption, def.hint, {}});
        columns.back().members.push_back(&def);
    }
    return columns;
}

// Widths of the table's cells by kind, so that every column lines up with its heading.
int CellWidth(const SettingDef& def, const QFontMetrics& metrics)
{
    switch (def.kind) {
    case SettingKind::FreeText: return metrics.horizontalAdvance(QStringLiteral("Зона 16 склад")) + 16;
    case SettingKind::CodeText: return metrics.horizontalAdvance(QStringLiteral("DDDDD")) + 14;
    case SettingKind::Choice: {
        int widest = 0;
        for (const QString& item : def.items)
            widest = std::max(widest, metrics.horizontalAdvance(item));
        return widest + 36;
    }
    default: return 0;
    }
}

QWidget* Stripe(int row)
{
    auto* stripe = new QWidget;
    stripe->setAutoFillBackground(true);
    stripe->setBackgroundRole(row % 2 ? QPalette::AlternateBase : QPalette::Base);
    return stripe;
}

} // namespace

QWidget* BuildOptionsPage(const QString& page, SettingControls& controls)
{
    return OptionsPageBuilder(page, controls).build();
}

QWidget* BuildZoneTable(SettingControls& controls)
{
    auto* table = new QWidget;
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const std::vector<ZoneColumn> columns = ZoneColumns();
    const int zones = columns.empty() ? 0 : int(columns.front().members.size());
    for (int zone = 1; zone <= zones; ++zone)
        grid->addWidget(Stripe(zone), zone, 0, 1, int(columns.size()) + 1);

    int gridColumn = 0;
    for (const ZoneColumn& column : columns) {
        auto* heading = new QLabel(column.heading);
        heading->setToolTip(AppTexts::Display(column.hint));
        heading->setAlignment(Qt::AlignCenter);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, gridColumn);
        for (const SettingDef* def : column.members) {
            QWidget* cell = controls.create(*def, table);
            if (const int width = CellWidth(*def, cell->fontMetrics()); width > 0)
                cell->setFixedWidth(width);
            if (auto* edit = qobject_cast<QLineEdit*>(cell); edit && def->kind == SettingKind::CodeText)
                edit->setAlignment(Qt::AlignCenter);
            grid->addWidget(cell, def->zone, gridColumn, def->kind == SettingKind::Flag ? Qt::AlignCenter : Qt::Alignment());
        }
        if (gridColumn == 0) {
            // The row numbers follow the name column.
            ++gridColumn;
            for (int zone = 1; zone <= zones; ++zone) {
                auto* number = new QLabel(QStringLiteral("%1:").arg(zone));
                number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                number->setObjectName(QStringLiteral("sLabel_Zone_%1").arg(zone, 2, 10, QLatin1Char('0')));
                grid->addWidget(number, zone, gridColumn);
            }
        }
        ++gridColumn;
    }
    grid->setRowStretch(zones + 1, 1);
    grid->setColumnStretch(gridColumn, 1);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sScrollBox_Zones"));
    scroll->setWidget(table);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}
