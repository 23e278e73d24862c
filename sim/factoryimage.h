#pragma once

#include <QByteArray>

// The panel memory as it leaves the factory: 1 KiB, erased (0xFF) where the
// configurator never reads or writes.
QByteArray FactoryImage();
