#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// The frame a window manager puts round a window, guessed from the style
// until the window has been shown with one.
QMargins WindowFrame(const QWidget& window);

// Gives the window its design size where the screen's available area holds it,
// frame included; on a smaller area (a scaled laptop screen) as much as fits, its
// content then scrolls. Centres it within the area, the title bar never above it.
void FitToScreen(QWidget& window, QSize design, const QRect& available);
