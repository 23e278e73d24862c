#include "tracedport.h"

#include "link/baudrates.h"
#include "link/protocoltrace.h"

// A port failure goes into the trace before it goes on to the operation.
template <typename Step>
auto TracedPort::traced(Step step) -> decltype(step())
{
    try {
        return step();
    } catch (const EComPort& error) {
        trace_.note(QStringLiteral("ошибка порта: ") + error.text());
        throw;
    }
}

bool TracedPort::open()
{
    const bool wasOpen = port_.isOpen();
    const bool opened = traced([this] { return port_.open(); });
    if (opened && !wasOpen) {
        const bool knownSpeed = speedIndex_ >= 0 && speedIndex_ < int(BaudRates.size());
        trace_.note(QStringLiteral("порт %1 открыт%2")
                        .arg(name_, knownSpeed ? QStringLiteral(", %1 бит/с").arg(BaudRates[size_t(speedIndex_)])
                                               : QString()));
    }
    return opened;
}

bool TracedPort::close()
{
    const bool wasOpen = port_.isOpen();
    const bool closed = traced([this] { return port_.close(); });
    if (wasOpen && closed)
        trace_.note(QStringLiteral("порт закрыт"));
    return closed;
}

void TracedPort::setPortName(const QString& name)
{
    traced([&] { port_.setPortName(name); });
    name_ = name;
}

void TracedPort::setSpeedIndex(int index)
{
    traced([&] { port_.setSpeedIndex(index); });
    speedIndex_ = index;
}

void TracedPort::write(const QByteArray& data)
{
    trace_.sent(data);
    traced([&] { port_.write(data); });
}

QByteArray TracedPort::read(int maxCount)
{
    QByteArray data = traced([&] { return port_.read(maxCount); });
    trace_.received(data);
    return data;
}
