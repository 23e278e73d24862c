#include "windowfixture.h"

#include "model/pages.h"
#include "ui/screenfit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

namespace {

// The controls a user reads or works, on a page as it is shown.
QList<QWidget*> VisibleControls(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>())
        if (widget->isVisible() && (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                                    qobject_cast<QLineEdit*>(widget) || qobject_cast<QLabel*>(widget)))
            controls << widget;
    return controls;
}

// The width the control needs to show its text whole; a push button's style may ask for more.
int NeededWidth(QWidget* widget)
{
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->fontMetrics().horizontalAdvance(button->text()) + 4;
    return widget->minimumSizeHint().width();
}

bool Inside(QWidget* widget, QWidget* area)
{
    return area->rect().contains(QRect(widget->mapTo(area, QPoint(0, 0)), widget->size()));
}

// Every page drawn as the installer sees it: nothing cut off, nothing on top of
// something else. With QZV6_SCREENSHOTS set, each page is also saved there as a picture.
TEST_F(WindowTest, EveryPageShowsAllItsControlsWhole)
{
    startShown();
    auto* pages = control<QTabWidget>("PageControl_");
    const QTabBar* tabs = pages->tabBar();
    EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), pages->width()) << "every tab in sight";
    const QString pictures = qEnvironmentVariable("QZV6_SCREENSHOTS");

    for (int index = 0; index < pages->count(); ++index) {
        QWidget* page = pages->widget(index);
        SCOPED_TRACE(page->objectName().toStdString());
        pages->setCurrentIndex(index);
        QApplication::processEvents();
        // The zone table scrolls, so its cells need only lie within the table.
        auto* scroll = page->findChild<QScrollArea*>();
        QWidget* area = scroll ? scroll->widget() : page;
        const QList<QWidget*> controls = VisibleControls(page);
        for (QWidget* widget : controls) {
            const std::string name = (widget->objectName() + " " + widget->metaObject()->className()).toStdString();
            EXPECT_TRUE(Inside(widget, area)) << name;
            auto* label = qobject_cast<QLabel*>(widget);
            if (qobject_cast<QAbstractButton*>(widget) || (label && !label->wordWrap())) {
                EXPECT_GE(widget->width(), NeededWidth(widget)) << name;
            }
        }
        for (int a = 0; a < controls.size(); ++a)
            for (int b = a + 1; b < controls.size(); ++b) {
                if (controls[a]->isAncestorOf(controls[b]) || controls[b]->isAncestorOf(controls[a]))
                    continue;
                const QRect first(controls[a]->mapTo(area, QPoint(0, 0)), controls[a]->size());
                const QRect second(controls[b]->mapTo(area, QPoint(0, 0)), controls[b]->size());
                EXPECT_FALSE(first.intersects(second))
                    << controls[a]->objectName().toStdString() << " / " << controls[b]->objectName().toStdString();
            }
        if (!pictures.isEmpty()) {
            const QString file = QString::asprintf("%d_%s.png", index, qPrintable(page->objectName()));
            // 256 colours are plenty for a window and keep the pictures small.
            const QImage picture = control("MainFormContent")->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
            EXPECT_TRUE(picture.save(QDir(pictures).filePath(file)));
        }
    }
}

// 1366 x 768 at 125 %: 1093 x 614 logical pixels, less a task bar.
TEST_F(WindowTest, OnASmallScreenTheWindowFitsAndItsContentScrolls)
{
    startShown();
    auto* content = control("MainFormContent");
    const QSize design = content->size();
    auto* scroll = qobject_cast<QScrollArea*>(content->parentWidget()->parentWidget());
    ASSERT_NE(scroll, nullptr);

    struct Case {
        const char* name;
        QRect available;
        bool scrolls;
    };
    const Case cases[] = {
        {"scaled laptop", QRect(0, 0, 1093, 574), true},
        {"a second screen to the right", QRect(1920, 0, 1093, 574), true},
        {"full HD", QRect(0, 0, 1920, 1040), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FitToScreen(*window, design, c.available);
        QApplication::processEvents();
        const QRect outer(window->pos(), window->size().grownBy(WindowFrame(*window)));
        EXPECT_TRUE(c.available.contains(outer)) << outer.x() << "," << outer.y() << " " << outer.width() << "x"
                                                 << outer.height();
        EXPECT_EQ(window->size() == design, !c.scrolls);
        EXPECT_EQ(content->size(), design);
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), c.scrolls);
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), c.scrolls);
    }
}

} // namespace
