#pragma once

#include <QLabel>
#include <QMouseEvent>

// A label that reacts to a click, shown with the hand pointer.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent)
    {
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};
