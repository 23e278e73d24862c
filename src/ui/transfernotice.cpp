#include "ui/transfernotice.h"

TransferNotice::TransferNotice(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("TransferNotice"));
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; border: 1px solid #d9a400; padding: 4px; }"));
    hide();
}

void TransferNotice::setNotice(const QString& text)
{
    setText(text);
    setVisible(!text.isEmpty());
}
