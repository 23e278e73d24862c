#pragma once

#include "transfer/panelcomparison.h"

#include <optional>
#include <vector>

class PanelLink;
class QLocale;
class SettingsStore;

// Logs in and reads the panel into a scratch store, then lists every panel
// value in which it differs from store as a write of store would leave it (a
// list with nothing chosen counts as its first item). store is never touched.
// Nothing when the read did not complete (the link has told why) or another
// panel operation holds the link.
std::optional<std::vector<PanelDifference>> ComparePanel(PanelLink& link, const SettingsStore& store,
                                                         const QLocale& locale);
