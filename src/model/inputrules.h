#pragma once

#include "model/settingdef.h"

#include <QChar>
#include <QString>

// What the edits of the catalogue let through while the user types; a refused
// character is dropped without a message.

// Code texts: the digits and the capital letters A to F.
bool IsCodeChar(QChar c);

// Number texts: the digits, the point, the minus sign and the comma, so that
// either decimal separator can be typed; only the locale's one converts later.
bool IsNumberChar(QChar c);

// Whether the edit of def would hold text: every character allowed by its kind
// and no more than its maximum length. Free texts take anything.
bool TextAccepted(const SettingDef& def, const QString& text);
