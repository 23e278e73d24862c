#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// A port failure, carrying the port's fixed Russian text for the user.
class EComPort : public std::runtime_error {
public:
    explicit EComPort(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// What the link needs of a serial port. Failures throw EComPort.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the port if closed and applies the line settings; true when open afterwards.
    virtual bool open() = 0;
    // Closes the port if open; true when closed afterwards.
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    // Refused with EComPort while the port is open.
    virtual void setPortName(const QString& name) = 0;
    // Index into the list of the 15 rates, 110 to 256000 bit/s.
    virtual void setSpeedIndex(int index) = 0;
    // Sends every character and waits until they are written.
    virtual void write(const QByteArray& data) = 0;
    // Returns what arrived within the read time-outs, at most maxCount characters, possibly nothing.
    virtual QByteArray read(int maxCount) = 0;
};
