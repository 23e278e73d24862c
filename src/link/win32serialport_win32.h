#pragma once

#include "link/serialport.h"

#include <QString>

// The panel's serial port on the Win32 communications API, synchronous: opened as "\\.\" and the
// name, not shared; 2048-byte driver buffers; 8N1 without flow control, DTR and RTS on; reads and
// writes bounded by the port's time-outs (1 ms per character plus 1 ms, a read ending when the line
// is quiet for 1 ms after a character). QSerialPort's overlapped I/O is not used: it hangs in open()
// under Wine, where this port is proven against the virtual panel.
class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort() = default;
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open() override;
    bool close() override;
    bool isOpen() const override { return handle_ != nullptr; }
    // "COM3", or a device path that already begins with "\\.\".
    void setPortName(const QString& name) override;
    void setSpeedIndex(int index) override;
    void write(const QByteArray& data) override;
    QByteArray read(int maxCount) override;

private:
    void applyLineSettings();
    // Closes the port, so that the next open starts anew, then throws the text.
    [[noreturn]] void fail(const QString& text);

    void* handle_ = nullptr; // HANDLE; null while closed
    QString name_;
    int speedIndex_ = 12;
};
