#pragma once

#include <QComboBox>
#include <QWheelEvent>

// A drop-down list that the mouse wheel changes only once the list has the
// focus: scrolling a page over a list must never change a Setting by accident.
class ChoiceBox : public QComboBox {
public:
    explicit ChoiceBox(QWidget* parent = nullptr) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore(); // the scrolling box around it scrolls instead
    }
};
