#pragma once

#include <QString>

class CommandLine;
class Host;
class SettingsStore;

// A file named on the command line must exist: loading a missing file would
// silently give every Setting its file default. Prints the usage error.
bool RequireExistingFile(const CommandLine& line, const QString& path);

// Replaces the whole configuration in the store by the file's.
void LoadFileInto(const QString& path, SettingsStore& store);

// Saves the store into the file (an existing file is updated in place); false,
// with the message shown, when it cannot be written.
bool SaveStoreTo(const QString& path, SettingsStore& store, Host& host);
