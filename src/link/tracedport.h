#pragma once

#include "link/serialport.h"

class ProtocolTrace;

// A serial port that tells the trace what passes through it: every write, every
// read, the port opened and closed, and its failures.
class TracedPort : public SerialPort {
public:
    TracedPort(SerialPort& port, ProtocolTrace& trace) : port_(port), trace_(trace) {}

    bool open() override;
    bool close() override;
    bool isOpen() const override { return port_.isOpen(); }
    void setPortName(const QString& name) override;
    void setSpeedIndex(int index) override;
    void write(const QByteArray& data) override;
    QByteArray read(int maxCount) override;

private:
    template <typename Step>
    auto traced(Step step) -> decltype(step());

    SerialPort& port_;
    ProtocolTrace& trace_;
    QString name_;
    int speedIndex_ = -1;
};
