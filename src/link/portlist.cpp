#include "portlist.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include <algorithm>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// Qt's own default for an unset XDG_RUNTIME_DIR, "<temp>/runtime-<user>" made
// with mode 0700, computed here because asking Qt for it prints a warning on
// every lookup (each refresh of the port list).
QString defaultRuntimeFolder()
{
    const uid_t uid = ::geteuid();
    const passwd* entry = ::getpwuid(uid);
    const QString user = entry && entry->pw_name && *entry->pw_name ? QFile::decodeName(entry->pw_name)
                                                                     : QString::number(uid);
    const QString folder = QDir::tempPath() + "/runtime-" + user;
    ::mkdir(QFile::encodeName(folder).constData(), 0700); // an existing folder stays as it is
    return folder;
}
#endif

QString runtimeFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return defaultRuntimeFolder();
#endif
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace

QString VirtualPanelFolder()
{
    return runtimeFolder() + "/qzv6-panels";
}

QString PortDisplayName(const PortEntry& entry)
{
    const QString shown = entry.name.section(QLatin1Char('/'), -1);
    const QString description = entry.description.trimmed();
    return description.isEmpty() || description == shown ? shown : shown + QStringLiteral(" — ") + description;
}

QList<PortEntry> SerialPorts()
{
    QList<PortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        entries << PortEntry{info.portName(), info.systemLocation(), info.description()};
    const QDir panels(VirtualPanelFolder());
    for (const QFileInfo& link : panels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        // A panel that ended without removing its link has left it dangling.
        if (link.isSymLink() && QFileInfo::exists(link.symLinkTarget()))
            entries << PortEntry{link.absoluteFilePath(), link.absoluteFilePath(), {}};
    }
    std::sort(entries.begin(), entries.end(), [](const PortEntry& a, const PortEntry& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

QStringList SerialPortNames()
{
    QStringList names;
    for (const PortEntry& entry : SerialPorts())
        names << entry.name;
    return names;
}
