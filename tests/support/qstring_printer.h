#pragma once
// Test failures show a QString as its text, not as a row of bytes.

#include <QString>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
