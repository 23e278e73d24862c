#include "transfer/panelcomparison.h"

#include "model/memorymap.h"
#include "model/settinglabel.h"
#include "model/settingsstore.h"

std::vector<PanelDifference> ComparePanelValues(const SettingsStore& ours, const SettingsStore& panel)
{
    std::vector<PanelDifference> differences;
    for (const PanelValueRef& value : PanelDifferences(ours, panel)) {
        if (value.row > 0) {
            differences.push_back({QStringLiteral("SG.Text 1,%1").arg(value.row), UserCellLabel(value.row, 1),
                                   '"' + ours.cell(value.row, 1) + '"', '"' + panel.cell(value.row, 1) + '"'});
            continue;
        }
        differences.push_back({value.setting, SettingLabel(value.setting), ShownValue(ours, value.setting),
                               ShownValue(panel, value.setting)});
    }
    return differences;
}

QStringList DifferenceLines(const std::vector<PanelDifference>& differences, const QString& ourHeading,
                            const QString& panelHeading)
{
    QStringList lines;
    for (const PanelDifference& d : differences)
        lines << QStringLiteral("%1 (%2): %3 %4, %5 %6").arg(d.label, d.name, ourHeading, d.ours, panelHeading, d.panel);
    return lines;
}
