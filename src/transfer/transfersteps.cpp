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

void FinishTransfer(PanelLink& link, const QString& successText)
{
    link.TransferProgress.setPosition(0);
    link.port().close();
    link.host().sound(Sound::Default);
    link.TransferProgress.close();
    link.host().message(successText);
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
