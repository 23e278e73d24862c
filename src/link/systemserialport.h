#pragma once

#include "link/portlist.h"
#include "link/serialport.h"

#include <memory>

// The serial port the programs open: QtSerialPort on Linux, the Win32 communications API on Windows.
std::unique_ptr<SerialPort> MakeSystemSerialPort();

// The system's own serial ports ("ttyUSB0", "COM3"), in the system's order.
// On Windows the registry's list; EComPort when it cannot be read.
QList<PortEntry> SystemSerialPorts();
