#pragma once

#include <QStringList>

// The folder under the user's runtime folder where virtual panels announce
// themselves, a symbolic link per panel pointing at its pseudo-terminal.
QString VirtualPanelFolder();

// One entry of the port list.
struct PortEntry {
    QString name;        // what the link opens: "ttyUSB0", "COM3", an announced panel's full path
    QString location;    // where it lives in full ("/dev/ttyUSB0"), for a tooltip
    QString description; // what the system says the device is ("FT232R USB UART"); may be empty
};

// How a list shows an entry to a person: the last part of its name, and the
// description when there is one ("ttyUSB0 — FT232R USB UART"; an announced panel "QZV-6-virtual").
QString PortDisplayName(const PortEntry& entry);

// The system's serial ports, and the announced virtual panels by the full path
// of their link, sorted by name as text ignoring case ("COM10" before "COM2").
QList<PortEntry> SerialPorts();
QStringList SerialPortNames();
