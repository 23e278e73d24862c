#include "ui/desktop.h"

#include "ui/serialdevicesdialog.h"

#include <QApplication>
#include <QFileInfo>

namespace Desktop {

void Alert(Sound)
{
    // The platform offers one system beep; the kinds differ only on systems with sound themes.
    QApplication::beep();
}

void Tone(int, int)
{
    QApplication::beep();
}

void OpenDeviceManager(QWidget* window)
{
    auto* dialog = new SerialDevicesDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

std::unique_ptr<QSettings> RememberedStore()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("qzv6"), program);
}

} // namespace Desktop
