#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Exit status of qzv6.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, // a link failure, a refusal, a file that cannot be written; for diff: the files differ
    ExitUsage = 2,   // the command line itself is wrong
    ExitDiffers = 3, // write: written, but the panel read back differs; compare: the panel differs
};

// One command of qzv6: its name, the line of the overview, the text of
// "qzv6 NAME --help" and what runs it. run receives the arguments after the
// command's name.
struct Command {
    QString name;
    QString summary;
    QString help;
    int (*run)(const QStringList& arguments) = nullptr;
};

// Every command in the order of the overview. Each comes from its own file.
const std::vector<Command>& CommandTable();

// qzv6's whole command line (without the program name); returns the exit status.
int RunCommandLine(const QStringList& arguments);

Command PortsCommand();
Command ReadCommand();
Command WriteCommand();
Command DumpCommand();
Command DiffCommand();
Command CompareCommand();
Command MonitorCommand();
Command MemoriseCommand();
