#pragma once

#include <QHash>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

class Host;
class MonitorRecording;
class QChart;
class QChartView;
class QDateTimeAxis;
class QDateTimeEdit;
class QLabel;
class QScatterSeries;
class QTimer;
struct MonitorSeries;
struct SeriesMark;

// "Графики": the monitor's recording plotted over local clock time. Above,
// supply voltage, battery and temperature with the changes of outputs, tampers
// and faults marked; below, each zone's loop resistance with its state changes
// marked. A period is chosen by its two times or by dragging across a plot;
// the recording is exported as CSV from here.
class MonitorChartWindow : public QWidget {
    Q_OBJECT

public:
    MonitorChartWindow(MonitorRecording& recording, Host& host, QWidget* parent = nullptr);

    // The whole recording, following new blocks as they come.
    void showWholeRecording();
    // Only this period (ms since the epoch), until the whole recording is asked for again.
    void showPeriod(qint64 from, qint64 to);

    QChart* powerChart() const { return power_; }
    QChart* loopChart() const { return loops_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A mark's place in its series' values and what it says.
    struct Tip {
        QPointF value;
        QScatterSeries* series;
        QString text;
    };

    QWidget* buildPeriodBar();
    void addTips(QChart* chart, QScatterSeries* marks, const std::vector<SeriesMark>& texts);
    QChartView* chartView(QChart* chart);
    void redraw();
    void fillPowerChart(const MonitorSeries& series, qint64 from, qint64 to);
    void fillLoopChart(const MonitorSeries& series, qint64 from, qint64 to);
    void followZoom(QDateTimeAxis* axis);
    void exportCsv();
    void clearRecording();

    MonitorRecording& recording_;
    Host& host_;
    QChart* power_;
    QChart* loops_;
    QDateTimeEdit* from_ = nullptr;
    QDateTimeEdit* to_ = nullptr;
    QLabel* summary_ = nullptr;
    QTimer* redrawSoon_;
    QHash<QChart*, std::vector<Tip>> tips_;
    bool following_ = true;
    bool redrawing_ = false;
    qint64 periodFrom_ = 0;
    qint64 periodTo_ = 0;
};
