#pragma once

#include "service/monitorstatus.h"

#include <QLocale>
#include <QString>

// The zone's state word and loop resistance, as "НА ОХРАНЕ, Резист.: 1.1k".
QString ZoneStateText(quint8 state, quint8 resistanceCode, const QLocale& locale);

// Alarm and violation stand out; armed, entry and exit show as active.
TextEmphasis zoneStateEmphasis(quint8 state);
