#pragma once

#include "link/panellink.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <optional>

class CommandLine;

// --port, --baud and --password: what the window takes from cbPort,
// cbBaudRate and EditPassComm. Shared by every command that talks to the panel.
QList<QCommandLineOption> LinkOptions();

// The help lines of those options.
QString LinkOptionsHelp();

// The index of --baud among the rates (115200 when not given), or nothing after
// printing the usage error.
std::optional<int> SpeedIndexFrom(const CommandLine& line);

// --trace names a file in an existing folder, or is not given; else the usage error is printed.
bool TraceFileAccepted(const CommandLine& line);

// The inputs, or nothing after printing the usage error.
std::optional<LinkInputs> LinkInputsFrom(const CommandLine& line);
