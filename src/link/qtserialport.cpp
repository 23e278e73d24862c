#include "qtserialport.h"

#include "link/baudrates.h"
#include "link/porttexts.h"

#include <QElapsedTimer>
#include <cmath>

namespace {

constexpr qint64 driverBuffer = 2048;
constexpr int bitsPerCharacter = 10; // start, 8 data, stop
constexpr int writeMarginMs = 100;

QString openErrorText(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortTexts::NotFound;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return PortTexts::Busy;
    default:
        return PortTexts::SetCommState;
    }
}

bool isTimeout(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::NoError || error == QSerialPort::TimeoutError;
}

} // namespace

bool QtSerialPort::open()
{
    if (port_.isOpen())
        return true;
    port_.setPortName(name_);
    port_.setReadBufferSize(driverBuffer);
    if (!port_.open(QIODevice::ReadWrite))
        fail(openErrorText(port_.error()));
    if (!applyLineSettings())
        fail(PortTexts::SetCommState);
    // A pseudo-terminal has no modem lines; refusing them is not an error.
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(true);
    port_.clearError();
    // Whatever the line held before this operation is not an answer to it.
    if (!port_.clear())
        fail(PortTexts::PurgeComm);
    return true;
}

bool QtSerialPort::close()
{
    if (port_.isOpen())
        port_.close();
    port_.clearError();
    return !port_.isOpen();
}

void QtSerialPort::setPortName(const QString& name)
{
    if (port_.isOpen())
        throw EComPort(PortTexts::ChangeWhileOpen);
    name_ = name;
}

void QtSerialPort::setSpeedIndex(int index)
{
    if (index < 0 || index >= int(BaudRates.size()))
        throw EComPort(PortTexts::SetCommState);
    speedIndex_ = index;
    if (port_.isOpen() && !port_.setBaudRate(BaudRates[speedIndex_]))
        fail(PortTexts::SetCommState);
}

bool QtSerialPort::applyLineSettings()
{
    return port_.setBaudRate(BaudRates[speedIndex_]) && port_.setDataBits(QSerialPort::Data8)
        && port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop)
        && port_.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::write(const QByteArray& data)
{
    if (!port_.isOpen() || port_.write(data) != data.size())
        fail(PortTexts::Write);
    // Twice the time the characters take on the line, and a margin for the driver.
    const int timeout = int(2000LL * bitsPerCharacter * data.size() / BaudRates[speedIndex_]) + writeMarginMs;
    QElapsedTimer clock;
    clock.start();
    while (port_.bytesToWrite() > 0) {
        const int left = timeout - int(clock.elapsed());
        if (left <= 0 || !port_.waitForBytesWritten(left))
            fail(PortTexts::Write);
    }
}

QByteArray QtSerialPort::read(int maxCount)
{
    if (!port_.isOpen())
        fail(PortTexts::Read);
    const int total = maxCount + 1;
    QElapsedTimer clock;
    clock.start();
    QByteArray out;
    while (out.size() < maxCount) {
        if (port_.bytesAvailable() == 0) {
            const int left = total - int(clock.elapsed());
            const int wait = out.isEmpty() ? left : qMin(left, quietIntervalMs());
            if (wait <= 0 || !port_.waitForReadyRead(wait)) {
                if (!isTimeout(port_.error()))
                    fail(PortTexts::Read);
                port_.clearError();
                break;
            }
        }
        out += port_.read(maxCount - out.size());
    }
    return out;
}

// 1 ms, as on the panel's own line; at slow speeds one character takes longer,
// and a reply must not be cut between two of its characters.
int QtSerialPort::quietIntervalMs() const
{
    const double characterMs = 1000.0 * bitsPerCharacter / BaudRates[speedIndex_];
    return qMax(1, int(std::ceil(2 * characterMs)));
}

// A failed port is closed, so that the next open starts anew on whatever
// device now answers to the name (a replugged adapter) instead of a dead one.
void QtSerialPort::fail(const QString& text)
{
    port_.close();
    port_.clearError();
    throw EComPort(text);
}
