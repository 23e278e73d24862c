#include "ui/rememberedinputs.h"

#include "ui/desktop.h"
#include "ui/portchoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QValidator>

#include <memory>

namespace {

const QString PortControl = QStringLiteral("cbPort");
const QString PortValue = QStringLiteral("cbPort.ItemIndex");
// The port's name beside its place: with an adapter more or less, the place points elsewhere.
const QString PortNameValue = QStringLiteral("cbPort.PortName");
// Each text is kept under its control's name followed by ".Text".
const QString TextControls[] = {QStringLiteral("Edit_User_Ibutton"), QStringLiteral("Edit_User_acss")};
// Each tick box under its name followed by ".Checked".
const QString TickBoxes[] = {QStringLiteral("CheckBox_BackupBeforeWrite"), QStringLiteral("CheckBox_VerifyAfterWrite")};

std::unique_ptr<QSettings> Open(const QString& file)
{
    if (!file.isEmpty())
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return Desktop::RememberedStore();
}

bool Accepts(const QLineEdit& edit, QString text)
{
    if (text.size() > edit.maxLength())
        return false;
    int position = 0;
    return !edit.validator() || edit.validator()->validate(text, position) == QValidator::Acceptable;
}

// The remembered name when the list has it, else the remembered place.
void RestorePort(QComboBox& port, const QSettings& settings)
{
    if (ChoosePortByName(port, settings.value(PortNameValue).toString()) || !settings.contains(PortValue))
        return;
    bool ok = false;
    const int index = settings.value(PortValue).toInt(&ok);
    if (ok)
        port.setCurrentIndex(index >= 0 && index < port.count() ? index : -1);
}

} // namespace

RememberedInputs::RememberedInputs(QString file) : file_(std::move(file)) {}

void RememberedInputs::restore(QWidget& window) const
{
    const auto settings = Open(file_);
    if (auto* port = window.findChild<QComboBox*>(PortControl))
        RestorePort(*port, *settings);
    for (const QString& name : TextControls) {
        auto* edit = window.findChild<QLineEdit*>(name);
        const QString key = name + QStringLiteral(".Text");
        if (edit && settings->contains(key) && Accepts(*edit, settings->value(key).toString()))
            edit->setText(settings->value(key).toString());
    }
    for (const QString& name : TickBoxes) {
        auto* box = window.findChild<QCheckBox*>(name);
        const QString key = name + QStringLiteral(".Checked");
        if (box && settings->contains(key))
            box->setChecked(settings->value(key).toBool());
    }
}

void RememberedInputs::store(const QWidget& window) const
{
    const auto settings = Open(file_);
    if (const auto* port = window.findChild<const QComboBox*>(PortControl)) {
        settings->setValue(PortValue, port->currentIndex());
        settings->setValue(PortNameValue, PortNameOf(*port));
    }
    for (const QString& name : TextControls)
        if (const auto* edit = window.findChild<const QLineEdit*>(name))
            settings->setValue(name + QStringLiteral(".Text"), edit->text());
    for (const QString& name : TickBoxes)
        if (const auto* box = window.findChild<const QCheckBox*>(name))
            settings->setValue(name + QStringLiteral(".Checked"), box->isChecked());
    settings->sync();
}
