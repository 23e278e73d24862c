#pragma once

#include <QWidget>

class QProgressBar;

// The borderless window that shows how far a read or write has come. It is
// created hidden when the program starts and lives to its end.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // A position beyond the maximum shows a full bar.
    void setProgress(int position, int maximum);
    void setBarColor(quint32 rgb); // 0xRRGGBB
    int position() const;
    int maximum() const;

private:
    QProgressBar* bar_;
};
