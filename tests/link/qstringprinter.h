#pragma once

#include <QString>
#include <ostream>

// Failure messages show texts, not arrays of QChar.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
