#include "portlist.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStandardPaths>

QString VirtualPanelFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/qzv6-panels";
}

QStringList SerialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    const QDir panels(VirtualPanelFolder());
    for (const QFileInfo& link : panels.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        // A panel that ended without removing its link has left it dangling.
        if (link.isSymLink() && QFileInfo::exists(link.symLinkTarget()))
            names << link.absoluteFilePath();
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}
