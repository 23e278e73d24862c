#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class PanelLink;

// Puts the panel into its key-learning mode for one user record and listens for
// the panel's report of the learned key, counting the seconds down in Lable_iButton.
class KeyEnrolment : public QObject {
    Q_OBJECT

public:
    static constexpr int ListenSeconds = 120; // of the 180 the panel waits
    static const QString LabelName;
    static const QString IdleCaption;

    // readConfiguration runs the whole read of the configuration, as its button does.
    KeyEnrolment(PanelLink& link, std::function<void()> readConfiguration, QObject* parent = nullptr);

    // Seconds left of the wait.
    int EnrolmentCountdown = 0;

    // PNGButton_User's click, with the texts of Edit_User_Ibutton and Edit_User_acss.
    // A new click while waiting sends a new request and restarts the countdown.
    void start(const QString& user, const QString& access);
    // One second of the wait.
    void Timer_iButtonTimer();

    bool waiting() const { return Timer_iButton.isActive(); }
    QTimer& timer() { return Timer_iButton; }

private:
    bool completionArrived();
    void complete();
    void timeOut();

    PanelLink& link_;
    std::function<void()> readConfiguration_;
    QTimer Timer_iButton;
};
