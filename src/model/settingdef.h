#pragma once

#include <QString>
#include <QStringList>

enum class SettingKind { Flag, Choice, CodeText, NumberText, FreeText, Grid, Memo };

// One row of the settings catalogue, after zone families are expanded.
struct SettingDef {
    QString name;          // control name, file section and memory-map key
    SettingKind kind = SettingKind::Flag;
    QString page;          // "TS_Apparatura", "TS_Zones", "TS_Users", "TS_Outputs", "TS_Others"; empty for the memo
    QString caption;       // check-box caption, label, or zone column heading
    QString hint;          // tooltip; for a zone column, the heading's hint
    QStringList items;     // choice items, numeric lists already built
    bool defaultChecked = false;
    int defaultIndex = -1;
    QString defaultText;
    QStringList defaultLines; // the memo
    int maxLength = 0;        // 0: no limit
    bool disabledAtStart = false;
    bool inPanel = false;     // read from and written to the panel
    QString family;           // zone family name without "_NN"; empty for single Settings
    int zone = 0;             // 1..16 for a family member
};
