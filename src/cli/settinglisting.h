#pragma once

#include <QString>
#include <vector>

class SettingsStore;

// One line of a configuration as dump and diff show it.
struct ListedValue {
    QString key;   // the Setting's name; "SG.Text C,R" for a cell, "About.AboutN" for a comment line
    QString value; // choice as its index, flag as 0/1, text as it stands
    QString label; // the caption or label the installer knows it by
    QString shown; // the value for a person: texts quoted, choices with their item
};

// Every Setting in the fixed order of a configuration file, then the user
// table's cells (column by column) and the comment's lines.
std::vector<ListedValue> ListSettings(const SettingsStore& store);
