#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class SettingsStore;

// One panel value in which two configurations differ, ready to show.
struct PanelDifference {
    QString name;  // the Setting's name; "SG.Text 1,R" for the record of user R
    QString label; // as the window shows it, a zone column's member with its zone
    QString ours;  // the value in the window, the file, or what was written
    QString panel; // the value the panel holds
};

// The panel values in which ours and panel differ, in block order.
std::vector<PanelDifference> ComparePanelValues(const SettingsStore& ours, const SettingsStore& panel);

// One line each: "label (NAME): <ourHeading> V1, <panelHeading> V2".
QStringList DifferenceLines(const std::vector<PanelDifference>& differences, const QString& ourHeading,
                            const QString& panelHeading);
