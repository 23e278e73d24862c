#include "ui/writesafetyboxes.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace {

const QString BackupBox = QStringLiteral("CheckBox_BackupBeforeWrite");
const QString VerifyBox = QStringLiteral("CheckBox_VerifyAfterWrite");

QCheckBox* Box(const QString& name, const QString& caption, const QString& hint)
{
    auto* box = new QCheckBox(caption);
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
    auto* row = new QHBoxLayout(boxes);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Box(BackupBox, QStringLiteral("Резервная копия перед записью"),
                       QStringLiteral("Перед записью прочитать ППК и сохранить его конфигурацию в папку резервных копий")));
    row->addWidget(Box(VerifyBox, QStringLiteral("Проверить после записи"),
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
