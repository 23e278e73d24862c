#pragma once

#include "transfer/configwrite.h"

class QWidget;

// The write's two tick boxes side by side, both ticked unless the installer
// unticked them in an earlier run: a backup of the panel before the write
// (CheckBox_BackupBeforeWrite) and a read-back check after it (CheckBox_VerifyAfterWrite).
QWidget* CreateWriteSafetyBoxes();

// The write's options as the window's tick boxes stand.
WriteOptions WriteOptionsOf(const QWidget& window);
