#pragma once

#include <QString>

class LiveState;

// The control input of qzv6-panel-sim: a line such as "alarm 3" changes a zone of
// the live side, so a test or a person can make the panel's picture change.
// Returns an empty text when the line was applied, else why it was not.
QString ApplyLiveCommand(LiveState& live, const QString& line);

// The commands, a line each, for --help.
QString LiveCommandsHelp();
