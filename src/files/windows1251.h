#pragma once

#include <QByteArray>
#include <QString>

// The configuration files' code page, by a table of its own: the same on every platform (a
// system's converter may turn the one unassigned byte, 0x98, into a replacement character and
// so lose it on the next save). 0x98 stands for U+0098 both ways, as Windows' own converter has it.
QString DecodeWindows1251(const QByteArray& bytes);
// A character the code page lacks becomes '?'.
QByteArray EncodeWindows1251(const QString& text);
