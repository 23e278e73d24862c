#include "ui/screenfit.h"

#include <QStyle>
#include <QWidget>

QMargins WindowFrame(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                outer.bottom() - inner.bottom()};
    const int border = window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

void FitToScreen(QWidget& window, QSize design, const QRect& available)
{
    const QMargins frame = WindowFrame(window);
    const QSize room = available.size().shrunkBy(frame);
    window.setFixedSize(design.boundedTo(room));
    const QSize outer = window.size().grownBy(frame);
    const QPoint topLeft(available.left() + qMax(0, (available.width() - outer.width()) / 2),
                         available.top() + qMax(0, (available.height() - outer.height()) / 2));
    window.move(topLeft);
}
