#include "cli/traceonexit.h"

#include "cli/commandline.h"
#include "link/panellink.h"

TraceOnExit::TraceOnExit(const CommandLine& line, const PanelLink& link, Host& host)
    : path_(line.value(QStringLiteral("trace"))), link_(link), host_(host)
{
}

TraceOnExit::~TraceOnExit()
{
    if (path_.isEmpty())
        return;
    if (const std::optional<QString> error = link_.Trace.saveTo(path_))
        host_.message(QStringLiteral("qzv6: the trace could not be written to %1: %2").arg(path_, *error));
}
