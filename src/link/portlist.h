#pragma once

#include <QStringList>

// The folder under the user's runtime folder where virtual panels announce
// themselves, a symbolic link per panel pointing at its pseudo-terminal.
QString VirtualPanelFolder();

// The system's serial ports by name, and the announced virtual panels by the
// full path of their link, sorted as text ignoring case ("COM10" before "COM2").
QStringList SerialPortNames();
