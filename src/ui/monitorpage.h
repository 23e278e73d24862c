#pragma once

#include "service/monitorstatus.h"

#include <QHash>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class SwitchLed;

// The content of the " --- Мониторинг --- " page: the panel's live picture,
// its virtual keypad and the start check box.
class MonitorPage : public QWidget {
    Q_OBJECT

public:
    explicit MonitorPage(QWidget* parent = nullptr);

    // How long the picture counts as live after its last block.
    static constexpr int StaleAfterMs = 1500;

    // Shows one status block; Rx is lit while it is being shown.
    void apply(const MonitorView& view);
    // Greyed, with a note beside Rx, once no block has come for StaleAfterMs.
    bool isStale() const { return stale_; }
    void setTxLed(bool lit);
    bool isRunTicked() const;

signals:
    // The code the panel expects: the digit, 11 for "*", 10 for "#".
    void keyClicked(int code);
    // The user's click on "ПУСК", with the state it leaves.
    void runClicked(bool ticked);
    // "Графики": the plots of the monitor's recording.
    void chartsClicked();

private:
    struct Caption {
        QString name;
        QString caption;
    };

    QGroupBox* captionGroup(const QString& title, const QList<Caption>& captions, int columns = 1);
    QLabel* addLabel(const Caption& caption, QWidget* parent);
    SwitchLed* addLamp(const QString& name, QWidget* parent);
    QWidget* lampWithText(const QString& lamp, const QString& text, QWidget* parent);
    QWidget* lampAboveText(const QString& lamp, const QString& text, QWidget* parent);
    QGroupBox* keypadGroup();
    QWidget* keypadButtons(QWidget* parent);
    QGroupBox* remoteLampsGroup();
    QWidget* userRow();
    QWidget* runRow();
    void reserveWidths();
    void setText(QLabel* label, const MonitorText& text);
    void setStale(bool stale);

    QHash<QString, QLabel*> labels_;
    QHash<QString, SwitchLed*> lamps_;
    QHash<QString, QPushButton*> keys_;
    QCheckBox* run_ = nullptr;
    SwitchLed* tx_ = nullptr;
    SwitchLed* rx_ = nullptr;
    QLabel* staleNote_ = nullptr;
    QTimer* staleTimer_ = nullptr;
    bool stale_ = false;
};
