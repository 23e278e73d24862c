#include "transfer/panelcompare.h"

#include "link/panellink.h"
#include "model/memorymap.h"
#include "model/settingsstore.h"
#include "transfer/configread.h"
#include "transfer/panelread.h"
#include "transfer/transfersteps.h"

namespace {

// The opening requests, the login, the test request and the 95 blocks.
constexpr int CompareMaximum = 4 + 1 + 95;

std::optional<std::vector<PanelDifference>> Compare(PanelLink& link, const SettingsStore& store,
                                                    const QLocale& locale)
{
    link.host().sound(Sound::Information);
    link.PortSetup();
    PrepareProgress(link, CompareMaximum);
    link.CancelRequested = false;
    if (!link.Login())
        return std::nullopt;
    link.TransferProgress.show();
    SettingsStore ours;
    CopyPanelSettings(store, ours);
    NormaliseAsWritten(ours, locale);
    SettingsStore panel;
    CopyPanelSettings(ours, panel);
    if (!ReadPanelInto(link, panel, {false, locale}))
        return std::nullopt;
    CloseTransfer(link, Sound::Default);
    return ComparePanelValues(ours, panel);
}

} // namespace

std::optional<std::vector<PanelDifference>> ComparePanel(PanelLink& link, const SettingsStore& store,
                                                         const QLocale& locale)
{
    std::optional<std::vector<PanelDifference>> result;
    link.runOperation([&] { result = Compare(link, store, locale); });
    return result;
}
