#include "ui/progresswindow.h"

#include <QProgressBar>

#include <algorithm>

namespace {
constexpr QSize ClientSize{503, 21};
// The bar overhangs the client area on every side, so only its inside shows.
constexpr QRect BarGeometry{-8, -5, 513, 30};
} // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus),
      bar_(new QProgressBar(this))
{
    // Not modal, and never the active window: Esc must keep reaching the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("Form_RewData"));
    setWindowTitle(QStringLiteral("Progress"));
    setFixedSize(ClientSize);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    bar_->setObjectName(QStringLiteral("ProgressbarWriteOnForm"));
    bar_->setGeometry(BarGeometry);
    bar_->setTextVisible(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
}

void ProgressWindow::setProgress(int position, int maximum)
{
    bar_->setMaximum(std::max(maximum, 0));
    // QProgressBar ignores a value outside its range; the display shows it full instead.
    bar_->setValue(std::clamp(position, 0, bar_->maximum()));
}

void ProgressWindow::setBarColor(quint32 rgb)
{
    const QColor color(QRgb(rgb & 0xFFFFFFu));
    bar_->setStyleSheet(QStringLiteral("QProgressBar { border: none; background: palette(button); }"
                                       "QProgressBar::chunk { background-color: %1; }")
                            .arg(color.name()));
}

int ProgressWindow::position() const
{
    return bar_->value();
}

int ProgressWindow::maximum() const
{
    return bar_->maximum();
}
