#pragma once

#include <QString>

class CommandLine;
class Host;
class PanelLink;

// --trace FILE: the link's protocol trace is written there when the command
// ends, however it ends, since a failed exchange is what it is wanted for.
class TraceOnExit {
public:
    TraceOnExit(const CommandLine& line, const PanelLink& link, Host& host);
    ~TraceOnExit();
    TraceOnExit(const TraceOnExit&) = delete;
    TraceOnExit& operator=(const TraceOnExit&) = delete;

private:
    QString path_;
    const PanelLink& link_;
    Host& host_;
};
