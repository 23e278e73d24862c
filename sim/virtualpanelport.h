#pragma once

#include "link/serialport.h"

#include <QByteArray>
#include <QList>
#include <QString>

class VirtualPanel;

// A serial port wired straight to an in-process virtual panel: what is written
// reaches the panel at once; a read returns what the panel has sent by its clock.
// It opens, closes and refuses a new name while open like a real port.
class VirtualPanelPort : public SerialPort {
public:
    // With a name, opening any other name fails as a port that does not exist.
    explicit VirtualPanelPort(VirtualPanel& panel, QString panelName = {});

    bool open() override;
    bool close() override;
    bool isOpen() const override { return open_; }
    void setPortName(const QString& name) override;
    void setSpeedIndex(int index) override;
    void write(const QByteArray& data) override;
    QByteArray read(int maxCount) override;

    QString portName() const { return portName_; }
    int speedIndex() const { return speedIndex_; }

    // The adapter has vanished: opening, writing and reading fail; a failed write or read closes the port.
    bool unplugged = false;

    // The record, for tests.
    QList<QByteArray> writes;
    int writeTries = 0; // failed ones included
    int reads = 0;
    int opens = 0;   // closed to open
    int closes = 0;  // open to closed

private:
    [[noreturn]] void fail(const QString& text);

    VirtualPanel& panel_;
    QString panelName_;
    QString portName_;
    int speedIndex_ = 12;
    bool open_ = false;
    QByteArray rx_;
};
