#pragma once

#include <QLabel>

// The window's lasting notice of what the last write left in the panel: a
// framed line above the comment that stays until the next write replaces or
// clears it. Hidden while empty.
class TransferNotice : public QLabel {
    Q_OBJECT

public:
    explicit TransferNotice(QWidget* parent = nullptr);

    void setNotice(const QString& text);
};
