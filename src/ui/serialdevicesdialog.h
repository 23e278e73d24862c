#pragma once

#include <QDialog>

class QTableWidget;

// Where the Windows version opens the device manager: a list of the system's
// serial devices, so the installer can tell which port is the USB-UART adapter.
class SerialDevicesDialog : public QDialog {
    Q_OBJECT

public:
    explicit SerialDevicesDialog(QWidget* parent = nullptr);

    void refresh();

private:
    QTableWidget* table_;
};
