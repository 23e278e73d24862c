#include "transfer/panelbackup.h"

#include "files/configfile.h"
#include "model/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString WindowDataFolder = QStringLiteral("QZV-6 Configurator");
constexpr QFileDevice::Permissions OwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The last part of a port's name or path, safe in a file name.
QString PortTag(const QString& portName)
{
    QString tag = QFileInfo(portName).fileName();
    tag.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    return tag.isEmpty() ? QStringLiteral("port") : tag;
}

bool MakeOwnerOnlyFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder) && QFile::setPermissions(folder, OwnerOnlyFolder);
}

} // namespace

QString DefaultBackupFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(WindowDataFolder + QStringLiteral("/backups"));
}

QString NewBackupPath(const QString& folder, const QString& portName, const QDateTime& when)
{
    const QString stem = when.toString(QStringLiteral("yyyy-MM-dd_HHmmss_")) + PortTag(portName);
    QString path = QDir(folder).filePath(stem + QStringLiteral(".qzv"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1_%2.qzv").arg(stem).arg(n));
    return path;
}

QString SaveBackup(SettingsStore& panel, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!MakeOwnerOnlyFolder(folder))
        return QStringLiteral("Не удалось создать папку %1").arg(QDir::toNativeSeparators(folder));
    // The backup is what the panel holds: the user codes go in whatever the window's choice for files.
    panel.setFlag(QStringLiteral("CkeckSavePess"), true);
    try {
        ConfigFile file(path, ConfigFile::Mode::Save);
        file.keepToOwner();
        WriteConfigFile(file, panel);
        file.close();
    } catch (const FileWriteError& error) {
        return error.message();
    }
    return {};
}
