#pragma once

#include <QProxyStyle>

// The application's style, with the tab under the pointer lit up.
class HoverTabStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
