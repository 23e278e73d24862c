#pragma once

#include "service/monitorstatus.h"

#include <QLocale>
#include <QString>
#include <optional>

// The zone's state word and loop resistance, as "НА ОХРАНЕ, Резист.: 1.1k".
QString ZoneStateText(quint8 state, quint8 resistanceCode, const QLocale& locale);

// The state word alone: "Снято" when no bit is set.
QString ZoneStateWord(quint8 state);

// The loop's resistance as the page shows it: "КЗ", "4.8k", ">8k" or "ОБРЫВ".
QString LoopResistanceText(quint8 code, const QLocale& locale);

// The classes of a loop reading: 0 to 4, 5 to 120, 121 to 143, 144 and above.
enum class LoopClass { Short, Measured, AboveEight, Open };
LoopClass LoopClassOf(quint8 code);

// Kilo-ohms for a measured loop (codes 5 to 120), to the nearest tenth; nothing
// for a short circuit, more than 8 kOhm or an open loop.
std::optional<double> LoopKiloOhms(quint8 code);

// Alarm and violation stand out; armed, entry and exit show as active.
TextEmphasis zoneStateEmphasis(quint8 state);
