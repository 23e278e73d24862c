#pragma once

#include "link/host.h"

#include <QSettings>
#include <memory>

class QWidget;

// What the window takes from the desktop it runs on; one file per platform.
namespace Desktop {

void Alert(Sound kind);
// The keypad's tone; where the system cannot sound a frequency, its beep.
void Tone(int hz, int ms);
// Shows the system's serial devices, so the installer can find the adapter's port; waits for nothing.
void OpenDeviceManager(QWidget* window);
// Where the remembered inputs live, named after the program file without its extension.
std::unique_ptr<QSettings> RememberedStore();

} // namespace Desktop
