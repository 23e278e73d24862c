#pragma once

#include <QString>
#include <QStringList>

// The write's notice that these panel choices, with nothing chosen, go to the
// panel as 0: one line per Setting, one per zone column with its zones.
QString UnchosenChoicesNotice(const QStringList& names);
