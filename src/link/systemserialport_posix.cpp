#include "link/systemserialport.h"

#include "link/qtserialport.h"

#include <QSerialPortInfo>

std::unique_ptr<SerialPort> MakeSystemSerialPort()
{
    return std::make_unique<QtSerialPort>();
}

QStringList SystemSerialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    return names;
}
