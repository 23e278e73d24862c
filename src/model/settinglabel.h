#pragma once

#include <QString>

class SettingsStore;

// The caption or label an installer knows a Setting by, as the window shows it:
// a zone column's member names its zone ("зона 3, ...").
QString SettingLabel(const QString& name);

// A Setting's value for a person, as dump and diff print it: a choice as its
// index and item, a flag as 0 or 1, a text quoted.
QString ShownValue(const SettingsStore& store, const QString& name);

// A cell of the user table: "пользователь 4, Пароль/Код".
QString UserCellLabel(int row, int column);
