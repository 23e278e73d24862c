#include "ui/writesafetyboxes.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace {

const QString BackupBox = QStringLiteral("CheckBox_BackupBeforeWrite");
const QString VerifyBox = QStringLiteral("CheckBox_VerifyAfterWrite");

// The link column is narrow: each caption takes two lines, its whole text the tooltip.
QCheckBox* Box(const QString& name, const QString& firstLine, const QString& secondLine, const QString& hint)
{
    auto* box = new QCheckBox(firstLine + '\n' + secondLine);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setChecked(true);
    return box;
}

bool Ticked(const QWidget& window, const QString& name)
{
    const auto* box = window.findChild<const QCheckBox*>(name);
    return box && box->isChecked();
}

} // namespace

QWidget* CreateWriteSafetyBoxes()
{
    auto* boxes = new QWidget;
    auto* column = new QVBoxLayout(boxes);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Box(BackupBox, QStringLiteral("Резервная копия"), QStringLiteral("перед записью"),
                          QStringLiteral("Перед записью прочитать ППК и сохранить его конфигурацию в папку резервных копий")));
    column->addWidget(Box(VerifyBox, QStringLiteral("Проверить"), QStringLiteral("после записи"),
                          QStringLiteral("После перезагрузки прочитать ППК и сравнить с записанным")));
    return boxes;
}

WriteOptions WriteOptionsOf(const QWidget& window)
{
    WriteOptions options;
    options.backup = Ticked(window, BackupBox);
    options.verify = Ticked(window, VerifyBox);
    return options;
}
