#pragma once

#include "transfer/panelcomparison.h"

#include <vector>

class Host;
class QWidget;

// The outcome of a comparison with the panel: a message when they are equal,
// else a dialog (PanelCompareDialog) with a table of every value that differs:
// the setting, the window's value, the panel's value. The dialog is modal to
// the window and closes with its button or Esc.
void ShowPanelComparison(QWidget* window, Host& host, const std::vector<PanelDifference>& differences);
