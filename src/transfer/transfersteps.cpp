#include "transfer/transfersteps.h"

#include "link/panellink.h"

namespace {

constexpr quint32 BarColour = 0xFF0000;

} // namespace

void PrepareProgress(PanelLink& link, int maximum)
{
    link.TransferProgress.setMaximum(maximum);
    link.TransferProgress.setPosition(0);
    link.TransferProgress.setBarColor(BarColour);
}

void CloseTransfer(PanelLink& link, Sound sound)
{
    link.TransferProgress.setPosition(0);
    link.port().close();
    link.host().sound(sound);
    link.TransferProgress.close();
}

void FinishTransfer(PanelLink& link, const QString& text, Sound sound)
{
    CloseTransfer(link, sound);
    link.host().message(text);
}

void StopTransfer(PanelLink& link, const QString& text)
{
    link.port().close();
    link.host().sound(Sound::Error);
    link.host().message(text);
    link.TransferProgress.setPosition(0);
    link.TransferProgress.close();
    link.LinkFailed = true;
}
