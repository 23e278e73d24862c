#include "ui/switchled.h"

#include <QPainter>
#include <QRadialGradient>

namespace {
constexpr int Diameter = 13;
const QColor offColour = Qt::black;
const QColor disabledColour(0xA0, 0xA0, 0xA0);
}

SwitchLed::SwitchLed(QWidget* parent) : QWidget(parent)
{
    setFixedSize(Diameter, Diameter);
}

void SwitchLed::setState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    update();
}

void SwitchLed::setOnColour(const QColor& colour)
{
    onColour_ = colour;
    update();
}

QSize SwitchLed::sizeHint() const
{
    return {Diameter, Diameter};
}

QColor SwitchLed::currentColour() const
{
    if (!isEnabled())
        return disabledColour;
    return state_ == LedOn ? onColour_ : offColour;
}

void SwitchLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = currentColour();
    const QRectF disc = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    // A highlight up and to the left makes a flat disc read as a lamp.
    QRadialGradient gradient(disc.center(), disc.width() / 2, disc.topLeft() + QPointF(4, 4));
    const QColor highlight = colour.value() < 64 ? QColor(0x70, 0x70, 0x70) : colour.lighter(160);
    gradient.setColorAt(0, highlight);
    gradient.setColorAt(0.6, colour);
    gradient.setColorAt(1, colour.darker(160));
    painter.setPen(QPen(colour.darker(220), 1));
    painter.setBrush(gradient);
    painter.drawEllipse(disc);
}
