#include "ui/hovertabstyle.h"

#include <QPainter>
#include <QStyleOption>

void HoverTabStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool hovered = option->state.testFlag(State_MouseOver) && !option->state.testFlag(State_Selected);
    if (element != CE_TabBarTabShape || !hovered)
        return;
    QColor light = option->palette.color(QPalette::Highlight);
    light.setAlpha(48);
    painter->fillRect(option->rect.adjusted(2, 2, -2, 0), light);
}
