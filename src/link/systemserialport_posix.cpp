#include "link/systemserialport.h"

#include "link/qtserialport.h"

#include <QSerialPortInfo>

std::unique_ptr<SerialPort> MakeSystemSerialPort()
{
    return std::make_unique<QtSerialPort>();
}

QList<PortEntry> SystemSerialPorts()
{
    QList<PortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        entries << PortEntry{info.portName(), info.systemLocation(), info.description()};
    return entries;
}
