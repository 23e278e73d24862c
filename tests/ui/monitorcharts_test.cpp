#include "windowfixture.h"

#include "livestate.h"
#include "service/monitorrecording.h"
#include "ui/monitorchartwindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateTimeAxis>
#include <QDateTimeEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QToolTip>

namespace {

class MonitorChartsTest : public WindowTest {
protected:
    void SetUp() override
    {
        startShown();
        control<QTabWidget>("PageControl_")->setCurrentWidget(control("TS_Monitor"));
    }

    // Ticks "ПУСК" and lets the monitor record until the recording has this many blocks.
    void recordUntil(qsizetype blocks)
    {
        auto* run = control<QCheckBox>("sCheckBox_Run");
        if (!run->isChecked())
            QTest::mouseClick(run, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->recording().size() >= blocks; }, 5000));
    }

    MonitorChartWindow* openCharts()
    {
        QTest::mouseClick(control("Button_Charts"), Qt::LeftButton);
        auto* charts = window->findChild<MonitorChartWindow*>();
        EXPECT_TRUE(charts && charts->isVisible());
        return charts;
    }

    template <typename Series>
    static Series* seriesNamed(QChart* chart, const QString& name)
    {
        for (QAbstractSeries* s : chart->series())
            if (auto* typed = qobject_cast<Series*>(s); typed && s->name() == name)
                return typed;
        return nullptr;
    }

    static QDateTimeAxis* timeAxisOf(QChart* chart)
    {
        return qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    }

    LiveState live{panel};
};

TEST_F(MonitorChartsTest, TheMonitorsBlocksAreRecordedAndPlottedWithTheirChanges)
{
    recordUntil(2);
    live.setLoop(1, LiveState::OpenLoop);
    const qsizetype before = window->recording().size();
    recordUntil(before + 2);

    MonitorChartWindow* charts = openCharts();
    ASSERT_TRUE(charts);
    QChart* loops = charts->loopChart();
    EXPECT_EQ(loops->series().size(), 32);
    auto* zone1 = seriesNamed<QLineSeries>(loops, "Зона 01");
    ASSERT_TRUE(zone1);
    EXPECT_EQ(zone1->points().first().y(), 4.8);
    EXPECT_EQ(zone1->points().last().y(), 10);
    auto* zone1Marks = seriesNamed<QScatterSeries>(loops, "Зона 01");
    ASSERT_TRUE(zone1Marks);
    EXPECT_EQ(zone1Marks->points().size(), 1) << "the zone became violated once";
    // A zone open all along is there, hidden until its legend entry is clicked.
    EXPECT_FALSE(seriesNamed<QLineSeries>(loops, "Зона 09")->isVisible());
    EXPECT_TRUE(zone1->isVisible());

    // Local clock time from the first block to the last.
    const MonitorRecording& recording = window->recording();
    QDateTimeAxis* time = timeAxisOf(loops);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->format(), "HH:mm:ss");
    EXPECT_EQ(time->min().toMSecsSinceEpoch(), recording.at(0).time);
    EXPECT_EQ(time->min().timeSpec(), Qt::LocalTime);
    auto* supply = seriesNamed<QLineSeries>(charts->powerChart(), "Uin, В");
    ASSERT_TRUE(supply);
    EXPECT_NEAR(supply->points().first().y(), 13.87, 1e-9);
}

TEST_F(MonitorChartsTest, AMarksTextShowsWhereThePointerRestsOnIt)
{
    recordUntil(2);
    live.setLoop(1, LiveState::OpenLoop);
    recordUntil(window->recording().size() + 2);
    MonitorChartWindow* charts = openCharts();
    ASSERT_TRUE(charts);
    QChart* loops = charts->loopChart();
    auto* marks = seriesNamed<QScatterSeries>(loops, "Зона 01");
    ASSERT_TRUE(marks && marks->points().size() == 1);
    QChartView* view = nullptr;
    for (QChartView* v : charts->findChildren<QChartView*>())
        if (v->chart() == loops)
            view = v;
    ASSERT_TRUE(view);

    const auto moveTo = [&](QPointF chartPosition) {
        const QPoint at = view->mapFromScene(loops->mapToScene(chartPosition));
        QMouseEvent move(QEvent::MouseMove, at, view->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
    };
    const QPointF mark = loops->mapToPosition(marks->points().first(), marks);
    moveTo(mark + QPointF(3, -2));
    const QString when = QDateTime::fromMSecsSinceEpoch(qint64(marks->points().first().x())).toString("HH:mm:ss");
    EXPECT_EQ(QToolTip::text(), when + "\nЗона 01: НАРУШЕНА");
    EXPECT_TRUE(QToolTip::isVisible());
    moveTo(mark + QPointF(40, 40));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST_F(MonitorChartsTest, APeriodIsShownByItsTimesAndTheWholeRecordingAgain)
{
    recordUntil(6);
    MonitorChartWindow* charts = openCharts();
    ASSERT_TRUE(charts);
    const MonitorRecording& recording = window->recording();
    const qint64 from = recording.at(1).time;
    const qint64 to = recording.at(4).time;
    charts->findChild<QDateTimeEdit*>("ChartFrom")->setDateTime(QDateTime::fromMSecsSinceEpoch(from));
    charts->findChild<QDateTimeEdit*>("ChartTo")->setDateTime(QDateTime::fromMSecsSinceEpoch(to));
    QTest::mouseClick(charts->findChild<QPushButton*>("ChartShowPeriod"), Qt::LeftButton);

    for (QChart* chart : {charts->powerChart(), charts->loopChart()}) {
        QDateTimeAxis* time = timeAxisOf(chart);
        EXPECT_EQ(time->min().toMSecsSinceEpoch(), from);
        EXPECT_EQ(time->max().toMSecsSinceEpoch(), std::max(to, from + 1000));
    }
    QTest::mouseClick(charts->findChild<QPushButton*>("ChartWhole"), Qt::LeftButton);
    EXPECT_EQ(timeAxisOf(charts->loopChart())->min().toMSecsSinceEpoch(), recording.at(0).time);
}

TEST_F(MonitorChartsTest, ATimeBeingTypedIsNotOverwrittenWhileThePlotsFollowTheMonitor)
{
    recordUntil(2);
    MonitorChartWindow* charts = openCharts();
    ASSERT_TRUE(charts);
    charts->activateWindow();
    auto* from = charts->findChild<QDateTimeEdit*>("ChartFrom");
    from->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return from->hasFocus(); }, 2000));
    const QDateTime typed = from->dateTime().addSecs(-3600);
    from->setDateTime(typed);
    const qsizetype blocks = window->recording().size();
    recordUntil(blocks + 4); // more than a redraw's delay
    QTest::qWait(1200);
    EXPECT_EQ(from->dateTime(), typed);
    EXPECT_GT(charts->findChild<QDateTimeEdit*>("ChartTo")->dateTime().toMSecsSinceEpoch(),
              window->recording().at(blocks).time - 1000) << "the other end follows";
}

TEST_F(MonitorChartsTest, TheRecordingIsSavedAsCsvAndClearedOnlyWhenConfirmed)
{
    recordUntil(3);
    QTest::mouseClick(control<QCheckBox>("sCheckBox_Run"), Qt::LeftButton);
    MonitorChartWindow* charts = openCharts();
    ASSERT_TRUE(charts);
    const qsizetype blocks = window->recording().size();

    const QString path = binPath("night.csv");
    host.dialogAnswers.push_back(path);
    QTest::mouseClick(charts->findChild<QPushButton*>("ChartExportCsv"), Qt::LeftButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), blocks + 1);
    EXPECT_TRUE(lines.value(0).startsWith("time,supply_V,battery_pct,temperature_C,"));
    EXPECT_EQ(host.messages.last(), QStringLiteral("Запись сохранена (блоков: %1):\r\n%2").arg(blocks).arg(path));

    host.confirmAnswers = {false, true};
    QTest::mouseClick(charts->findChild<QPushButton*>("ChartClear"), Qt::LeftButton);
    EXPECT_EQ(window->recording().size(), blocks);
    QTest::mouseClick(charts->findChild<QPushButton*>("ChartClear"), Qt::LeftButton);
    EXPECT_TRUE(window->recording().isEmpty());
    EXPECT_EQ(host.questions.size(), 2);

    QTest::mouseClick(charts->findChild<QPushButton*>("ChartExportCsv"), Qt::LeftButton);
    EXPECT_EQ(host.messages.last(), "Запись пуста: нечего сохранять.");
}

} // namespace
