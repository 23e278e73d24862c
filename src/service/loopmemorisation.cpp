#include "service/loopmemorisation.h"

#include "link/frames.h"
#include "link/panellink.h"

bool MemoriseLoops(PanelLink& link)
{
    bool memorised = false;
    link.runOperation([&] {
        link.host().sound(Sound::Information);
        link.PortSetup();
        link.CancelRequested = false;
        link.RequestText = BuildFrame(QStringLiteral("0045"));
        link.AckExchange();
        // On a failure AckExchange has told the user and closed the port.
        if (link.LinkFailed)
            return;
        memorised = true;
        link.host().message(QStringLiteral("ППК запомнил сопротивление шлейфов."));
        link.port().close();
    });
    return memorised;
}
