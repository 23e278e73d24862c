#include "cli/interrupt.h"

#include "cli/consolehost.h"
#include "link/panellink.h"

void StopOnCtrlC(ConsoleHost& host, PanelLink& link)
{
    host.setInterruptHandler([&host, &link] {
        link.CancelRequested = true;
        host.message(QStringLiteral("Зупинено користувачем!"));
    });
}
