#pragma once

#include <QtGlobal>
#include <array>

// The line speeds in the order of cbBaudRate; index 12, 115200, is the start choice.
inline constexpr std::array<qint32, 15> BaudRates{
    110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
