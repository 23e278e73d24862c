#pragma once

#include "link/portlist.h"

class QComboBox;

// cbPort's items: each entry shown by its display name, the name the link opens
// kept behind it, its full path as its tooltip; the list opens wide enough for all.
void FillPortList(QComboBox& list, const QList<PortEntry>& entries);

// The name the link opens for the chosen entry; empty when none is chosen.
QString PortNameOf(const QComboBox& list);

// The names the link opens, entry by entry.
QStringList PortNamesOf(const QComboBox& list);

// Chooses the entry the link opens by this name; false when the list has none.
bool ChoosePortByName(QComboBox& list, const QString& name);
