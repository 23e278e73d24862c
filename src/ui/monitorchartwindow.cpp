#include "ui/monitorchartwindow.h"

#include "link/host.h"
#include "service/monitorcsv.h"
#include "service/monitorrecording.h"
#include "service/monitorseries.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDateTimeEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QScatterSeries>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int MaxPoints = 2000;       // per line: more than a screen's width of pixels
constexpr int RedrawDelayMs = 1000;   // new blocks come twice a second; a redraw a second is plenty
constexpr int RedrawShare = 20;       // a long recording is redrawn less often: at most 1/20 of the time
constexpr qint64 MinimumSpanMs = 10000;
constexpr double TipRadius = 6; // pixels around a mark where its text shows
constexpr qint64 DayMs = 24 * 3600 * 1000LL;
const QString TimeFormat = QStringLiteral("HH:mm:ss");
const QString DayTimeFormat = QStringLiteral("dd.MM HH:mm");
const QString EditFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

// Zone lines in colours that stay apart from one another on a white plot.
const QColor ZoneColours[] = {
    0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b, 0xe377c2, 0x7f7f7f,
    0xbcbd22, 0x17becf, 0x393b79, 0xad494a, 0x637939, 0x8c6d31, 0x843c39, 0x7b4173,
};

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QLineSeries* lineOf(const std::vector<SeriesPoint>& points, const QString& name, const QColor& colour)
{
    auto* series = new QLineSeries;
    series->setName(name);
    QList<QPointF> list;
    list.reserve(qsizetype(points.size()));
    for (const SeriesPoint& p : points)
        list.append(QPointF(double(p.time), p.value));
    series->replace(list);
    QPen pen(colour);
    pen.setWidthF(1.5);
    series->setPen(pen);
    return series;
}

QScatterSeries* marksOf(const std::vector<SeriesMark>& marks, const QColor& colour, const QString& name)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerSize(8);
    series->setColor(colour);
    series->setBorderColor(Qt::black);
    QList<QPointF> list;
    for (const SeriesMark& m : marks)
        list.append(QPointF(double(m.time), m.value));
    series->replace(list);
    return series;
}

QDateTimeAxis* timeAxis(qint64 from, qint64 to)
{
    auto* axis = new QDateTimeAxis;
    axis->setFormat(to - from > DayMs ? DayTimeFormat : TimeFormat);
    axis->setTickCount(7);
    axis->setTitleText(QStringLiteral("Время"));
    axis->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(to));
    return axis;
}

QValueAxis* valueAxis(const QString& title, double min, double max)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(min, max);
    axis->applyNiceNumbers();
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// The range of a set of lines, widened a little so that no line lies on the frame.
std::pair<double, double> spanOf(std::initializer_list<const std::vector<SeriesPoint>*> lines, double lo, double hi)
{
    bool any = false;
    double min = 0;
    double max = 0;
    for (const auto* line : lines)
        for (const SeriesPoint& p : *line) {
            min = any ? std::min(min, p.value) : p.value;
            max = any ? std::max(max, p.value) : p.value;
            any = true;
        }
    if (!any)
        return {lo, hi};
    const double margin = std::max(0.5, (max - min) * 0.1);
    return {min - margin, max + margin};
}

// Legend entries of the marks say nothing the lines do not; a click on a line's entry shows or hides it.
void wireLegend(QChart* chart)
{
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (qobject_cast<QScatterSeries*>(marker->series())) {
            marker->setVisible(false);
            continue;
        }
        QObject::connect(marker, &QLegendMarker::clicked, marker, [marker] {
            QAbstractSeries* line = marker->series();
            line->setVisible(!line->isVisible());
            marker->setVisible(true);
            QFont font = marker->font();
            font.setStrikeOut(!line->isVisible());
            marker->setFont(font);
            for (QAbstractSeries* other : line->chart()->series())
                if (other != line && qobject_cast<QScatterSeries*>(other) && other->name() == line->name())
                    other->setVisible(line->isVisible());
        });
    }
}

} // namespace

MonitorChartWindow::MonitorChartWindow(MonitorRecording& recording, Host& host, QWidget* parent)
    : QWidget(parent, Qt::Window), recording_(recording), host_(host), power_(new QChart), loops_(new QChart),
      redrawSoon_(new QTimer(this))
{
    setObjectName(QStringLiteral("MonitorChartWindow"));
    setWindowTitle(QStringLiteral("Графики мониторинга - QZV-6 Configurator"));
    resize(1100, 760);
    power_->setTitle(QStringLiteral("Питание и температура"));
    loops_->setTitle(QStringLiteral("Сопротивление шлейфов зон"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildPeriodBar());
    layout->addWidget(chartView(power_), 2);
    layout->addWidget(chartView(loops_), 3);

    redrawSoon_->setSingleShot(true);
    redrawSoon_->setInterval(RedrawDelayMs);
    connect(redrawSoon_, &QTimer::timeout, this, &MonitorChartWindow::redraw);
    // A chosen period stays as it is drawn; only the whole recording grows with the monitor.
    connect(&recording_, &MonitorRecording::appended, this, [this] {
        if (following_ && isVisible() && !redrawSoon_->isActive())
            redrawSoon_->start();
    });
    connect(&recording_, &MonitorRecording::cleared, this, &MonitorChartWindow::showWholeRecording);
    showWholeRecording();
}

QWidget* MonitorChartWindow::buildPeriodBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    from_ = new QDateTimeEdit(bar);
    to_ = new QDateTimeEdit(bar);
    for (QDateTimeEdit* edit : {from_, to_})
        edit->setDisplayFormat(EditFormat);
    from_->setObjectName(QStringLiteral("ChartFrom"));
    to_->setObjectName(QStringLiteral("ChartTo"));
    auto* show = new QPushButton(QStringLiteral("Показать период"), bar);
    show->setObjectName(QStringLiteral("ChartShowPeriod"));
    auto* whole = new QPushButton(QStringLiteral("Вся запись"), bar);
    whole->setObjectName(QStringLiteral("ChartWhole"));
    auto* csv = new QPushButton(QStringLiteral("Сохранить CSV..."), bar);
    csv->setObjectName(QStringLiteral("ChartExportCsv"));
    auto* clear = new QPushButton(QStringLiteral("Очистить запись"), bar);
    clear->setObjectName(QStringLiteral("ChartClear"));
    summary_ = new QLabel(bar);
    summary_->setObjectName(QStringLiteral("ChartSummary"));
    connect(show, &QPushButton::clicked, this, [this] {
        showPeriod(from_->dateTime().toMSecsSinceEpoch(), to_->dateTime().toMSecsSinceEpoch());
    });
    connect(whole, &QPushButton::clicked, this, &MonitorChartWindow::showWholeRecording);
    connect(csv, &QPushButton::clicked, this, &MonitorChartWindow::exportCsv);
    connect(clear, &QPushButton::clicked, this, &MonitorChartWindow::clearRecording);

    row->addWidget(new QLabel(QStringLiteral("Период с"), bar));
    row->addWidget(from_);
    row->addWidget(new QLabel(QStringLiteral("по"), bar));
    row->addWidget(to_);
    row->addWidget(show);
    row->addWidget(whole);
    row->addSpacing(12);
    row->addWidget(summary_, 1);
    row->addWidget(csv);
    row->addWidget(clear);
    return bar;
}

QChartView* MonitorChartWindow::chartView(QChart* chart)
{
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    // Dragging across a plot zooms both to that period.
    view->setRubberBand(QChartView::HorizontalRubberBand);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    chart->legend()->setAlignment(Qt::AlignRight);
    QFont small = chart->legend()->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    chart->legend()->setFont(small);
    return view;
}

void MonitorChartWindow::showWholeRecording()
{
    following_ = true;
    redraw();
}

void MonitorChartWindow::showPeriod(qint64 from, qint64 to)
{
    if (to < from)
        std::swap(from, to);
    following_ = false;
    periodFrom_ = from;
    periodTo_ = std::max(to, from + 1000);
    redraw();
}

void MonitorChartWindow::redraw()
{
    redrawSoon_->stop();
    QElapsedTimer took;
    took.start();
    if (following_) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        periodFrom_ = recording_.isEmpty() ? now - MinimumSpanMs : recording_.at(0).time;
        periodTo_ = recording_.isEmpty() ? now : recording_.at(recording_.size() - 1).time;
        periodTo_ = std::max(periodTo_, periodFrom_ + MinimumSpanMs);
    }
    const MonitorSeries series = BuildMonitorSeries(recording_, periodFrom_, periodTo_, MaxPoints);
    redrawing_ = true;
    fillPowerChart(series, periodFrom_, periodTo_);
    fillLoopChart(series, periodFrom_, periodTo_);
    redrawing_ = false;
    // A time being typed is not taken away by the next redraw.
    if (!from_->hasFocus())
        from_->setDateTime(QDateTime::fromMSecsSinceEpoch(periodFrom_));
    if (!to_->hasFocus())
        to_->setDateTime(QDateTime::fromMSecsSinceEpoch(periodTo_));
    summary_->setText(recording_.isEmpty()
                          ? QStringLiteral("Запись пуста: она идет, пока на странице мониторинга отмечен \"ПУСК\".")
                          : QStringLiteral("Блоков в записи: %1, с %2")
                                .arg(recording_.size())
                                .arg(QDateTime::fromMSecsSinceEpoch(recording_.at(0).time).toString(EditFormat)));
    redrawSoon_->setInterval(std::max<qint64>(RedrawDelayMs, RedrawShare * took.elapsed()));
}

void MonitorChartWindow::addTips(QChart* chart, QScatterSeries* marks, const std::vector<SeriesMark>& texts)
{
    for (const SeriesMark& m : texts)
        tips_[chart].push_back({QPointF(double(m.time), m.value), marks, m.text});
}

// The text of the mark under the pointer, with its time, as a tooltip.
bool MonitorChartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    auto* view = qobject_cast<QChartView*>(watched->parent());
    if (!view)
        return false;
    const auto* move = static_cast<QMouseEvent*>(event);
    QChart* chart = view->chart();
    const QPointF pointer = chart->mapFromScene(view->mapToScene(move->position().toPoint()));
    QStringList lines;
    qint64 when = 0;
    for (const Tip& tip : tips_.value(chart)) {
        if (!tip.series->isVisible())
            continue;
        const QPointF at = chart->mapToPosition(tip.value, tip.series);
        if (QLineF(at, pointer).length() <= TipRadius) {
            when = qint64(tip.value.x());
            lines << tip.text;
        }
    }
    if (lines.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(move->globalPosition().toPoint(),
                           QDateTime::fromMSecsSinceEpoch(when).toString(TimeFormat) + '\n' + lines.join('\n'), view);
    return false;
}

void MonitorChartWindow::fillPowerChart(const MonitorSeries& series, qint64 from, qint64 to)
{
    tips_[power_].clear();
    power_->removeAllSeries();
    for (QAbstractAxis* axis : power_->axes())
        power_->removeAxis(axis);
    QDateTimeAxis* x = timeAxis(from, to);
    power_->addAxis(x, Qt::AlignBottom);
    const auto [vMin, vMax] = spanOf({&series.supply}, 10, 15);
    QValueAxis* volts = valueAxis(QStringLiteral("Uin, В"), vMin, vMax);
    const auto [tMin, tMax] = spanOf({&series.temperature}, 20, 30);
    QValueAxis* degrees = valueAxis(QStringLiteral("t, °C"), tMin, tMax);
    QValueAxis* percent = valueAxis(QStringLiteral("Батарея, %"), 0, 100);
    power_->addAxis(volts, Qt::AlignLeft);
    power_->addAxis(degrees, Qt::AlignRight);
    power_->addAxis(percent, Qt::AlignRight);
    attach(power_, lineOf(series.supply, QStringLiteral("Uin, В"), QColor(0x1f77b4)), x, volts);
    attach(power_, lineOf(series.temperature, QStringLiteral("t, °C"), QColor(0xd62728)), x, degrees);
    attach(power_, lineOf(series.battery, QStringLiteral("Батарея, %"), QColor(0x2ca02c)), x, percent);
    QScatterSeries* changes = marksOf(series.conditionChanges, QColor(0xffd700), QStringLiteral("Uin, В"));
    attach(power_, changes, x, volts);
    addTips(power_, changes, series.conditionChanges);
    wireLegend(power_);
    followZoom(x);
}

void MonitorChartWindow::fillLoopChart(const MonitorSeries& series, qint64 from, qint64 to)
{
    tips_[loops_].clear();
    loops_->removeAllSeries();
    for (QAbstractAxis* axis : loops_->axes())
        loops_->removeAxis(axis);
    QDateTimeAxis* x = timeAxis(from, to);
    loops_->addAxis(x, Qt::AlignBottom);
    auto* kiloOhms = new QValueAxis;
    kiloOhms->setTitleText(QStringLiteral("кОм (КЗ = 0, >8k = 9, обрыв = 10)"));
    kiloOhms->setRange(-0.3, MonitorSeries::OpenPlot + 0.5);
    kiloOhms->setTickType(QValueAxis::TicksDynamic);
    kiloOhms->setTickAnchor(0);
    kiloOhms->setTickInterval(1);
    kiloOhms->setLabelFormat(QStringLiteral("%.0f"));
    loops_->addAxis(kiloOhms, Qt::AlignLeft);
    for (int zone = 1; zone <= MonitorSeries::Zones; ++zone) {
        const size_t z = size_t(zone - 1);
        const QString name = "Зона " + twoDigits(zone);
        const QColor colour = ZoneColours[z];
        QLineSeries* line = lineOf(series.loops[z], name, colour);
        QScatterSeries* marks = marksOf(series.zoneChanges[z], colour, name);
        attach(loops_, line, x, kiloOhms);
        attach(loops_, marks, x, kiloOhms);
        addTips(loops_, marks, series.zoneChanges[z]);
        // A loop open all along (an unused zone) would only hide the others: it starts hidden.
        const bool alwaysOpen = !series.loops[z].empty() && series.zoneChanges[z].empty()
                                && std::all_of(series.loops[z].begin(), series.loops[z].end(),
                                               [](const SeriesPoint& p) { return p.value == MonitorSeries::OpenPlot; });
        line->setVisible(!alwaysOpen);
        marks->setVisible(!alwaysOpen);
    }
    wireLegend(loops_);
    for (QLegendMarker* marker : loops_->legend()->markers())
        if (!qobject_cast<QScatterSeries*>(marker->series()) && !marker->series()->isVisible()) {
            marker->setVisible(true);
            QFont font = marker->font();
            font.setStrikeOut(true);
            marker->setFont(font);
        }
    followZoom(x);
}

// A drag across one plot shows that period in both.
void MonitorChartWindow::followZoom(QDateTimeAxis* axis)
{
    connect(axis, &QDateTimeAxis::rangeChanged, this, [this](const QDateTime& min, const QDateTime& max) {
        if (redrawing_)
            return;
        const qint64 from = min.toMSecsSinceEpoch();
        const qint64 to = max.toMSecsSinceEpoch();
        QTimer::singleShot(0, this, [this, from, to] { showPeriod(from, to); });
    });
}

void MonitorChartWindow::exportCsv()
{
    if (recording_.isEmpty()) {
        host_.message(QStringLiteral("Запись пуста: нечего сохранять."));
        return;
    }
    const QString name = QStringLiteral("qzv6-monitor-%1.csv")
                             .arg(QDateTime::fromMSecsSinceEpoch(recording_.at(0).time).toString("yyyyMMdd-HHmmss"));
    const QString path = host_.askSaveFile({QStringLiteral("Сохранить запись мониторинга"), QDir::current().filePath(name),
                                            {QStringLiteral("Таблица CSV (*.csv)")}, QStringLiteral("csv"), true});
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = SaveMonitorCsv(recording_, path)) {
        host_.message(QStringLiteral("Не удалось сохранить запись в файл\r\n%1\r\n%2").arg(path, *error));
        return;
    }
    host_.message(QStringLiteral("Запись сохранена (блоков: %1):\r\n%2").arg(recording_.size()).arg(path));
}

void MonitorChartWindow::clearRecording()
{
    if (recording_.isEmpty() || !host_.confirm(QStringLiteral("Очистить запись мониторинга (блоков: %1)?\r\n"
                                                               "Несохраненная запись будет потеряна.")
                                                    .arg(recording_.size())))
        return;
    recording_.clear();
}
