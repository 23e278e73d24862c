#pragma once

#include <QString>

class QWidget;
class SettingControls;

// The pages' contents, generated from the catalogue: one control per Setting,
// named after it. The window puts them on its pages beside what is not a Setting.

// The Settings of an option page (hardware, users, outputs, other options) in
// one or two columns; on the hardware page the temperature frame sGroupBox_DS18B20.
QWidget* BuildOptionsPage(const QString& page, SettingControls& controls);

// The zone table: 16 rows by 15 columns with their headings, in a box that scrolls both ways.
QWidget* BuildZoneTable(SettingControls& controls);
