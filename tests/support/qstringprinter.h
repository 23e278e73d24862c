#pragma once

#include <QString>
#include <ostream>

// Test failure messages show texts, not arrays of QChar.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
