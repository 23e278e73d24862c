#include "virtualpanelport.h"

#include "link/baudrates.h"
#include "virtualpanel.h"

VirtualPanelPort::VirtualPanelPort(VirtualPanel& panel, QString panelName)
    : panel_(panel), panelName_(std::move(panelName))
{
}

bool VirtualPanelPort::open()
{
    if (open_)
        return true;
    if (unplugged || (!panelName_.isEmpty() && portName_ != panelName_))
        throw EComPort(QStringLiteral("Попытка открыть несуществующий COM-порт"));
    // Opening purges: what the panel sent while nobody listened is gone.
    panel_.takeDue();
    rx_.clear();
    open_ = true;
    ++opens;
    return true;
}

bool VirtualPanelPort::close()
{
    if (open_) {
        open_ = false;
        ++closes;
        rx_.clear();
        panel_.lineDropped();
    }
    return true;
}

void VirtualPanelPort::setPortName(const QString& name)
{
    if (open_)
        throw EComPort(QStringLiteral("Нельзя менять свойство, пока порт открыт"));
    portName_ = name;
}

void VirtualPanelPort::setSpeedIndex(int index)
{
    if (index < 0 || index >= int(BaudRates.size()))
        throw EComPort(QStringLiteral("Ошибка функции SetCommState"));
    speedIndex_ = index;
}

void VirtualPanelPort::write(const QByteArray& data)
{
    ++writeTries;
    if (!open_ || unplugged)
        fail(QStringLiteral("Ошибка записи в порт"));
    writes << data;
    panel_.receive(data);
}

QByteArray VirtualPanelPort::read(int maxCount)
{
    if (!open_ || unplugged)
        fail(QStringLiteral("Ошибка чтения из порта"));
    ++reads;
    rx_ += panel_.takeDue();
    const QByteArray out = rx_.left(maxCount);
    rx_.remove(0, out.size());
    return out;
}

// Like a real port, a failed one is closed, so the next open starts anew.
void VirtualPanelPort::fail(const QString& text)
{
    close();
    throw EComPort(text);
}
