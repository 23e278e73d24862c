#pragma once

#include <QColor>
#include <QWidget>

// A small round lamp: the on colour when lit, black when out, grey when disabled.
class SwitchLed : public QWidget {
    Q_OBJECT

public:
    enum State { LedOn, LedOff };

    explicit SwitchLed(QWidget* parent = nullptr);

    State state() const { return state_; }
    void setState(State state);

    QColor onColour() const { return onColour_; }
    void setOnColour(const QColor& colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor currentColour() const;

    State state_ = LedOff;
    QColor onColour_ = Qt::green;
};
