#pragma once

#include "link/serialport.h"

#include <QSerialPort>
#include <QString>

// The panel's serial port on QSerialPort: 8N1, no flow control, DTR and RTS
// asked for, and a bounded read that behaves like the panel's Windows time-outs.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort() = default;

    bool open() override;
    bool close() override;
    bool isOpen() const override { return port_.isOpen(); }
    // A name ("ttyUSB0", "COM3") or a full path ("/dev/pts/4", an announced panel).
    void setPortName(const QString& name) override;
    void setSpeedIndex(int index) override;
    void write(const QByteArray& data) override;
    // Returns at once when the line has been quiet for about a character time
    // (at least 1 ms) after data, else after 1 ms per requested character + 1 ms.
    QByteArray read(int maxCount) override;

private:
    bool applyLineSettings();
    int quietIntervalMs() const;
    [[noreturn]] void fail(const QString& text);

    QSerialPort port_;
    QString name_;
    int speedIndex_ = 12;
};
