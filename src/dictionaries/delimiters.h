#pragma once
// The characters that count as word boundaries for dictionary entries: space,
// comma, full stop, CR, LF, "!", "?", ":", ";", "(", ")" and the double quote.
// Hyphens, dashes, other quotation marks and braces are not delimiters.

#include <QChar>

#include <array>

constexpr int kDelimiterCount = 12;
using DelimiterTable = std::array<QChar, kDelimiterCount>;

// The table in its fixed order. The table is constant, so calling this is
// never required before the other operations; it is kept for the callers that
// show or check the table.
const DelimiterTable &initDelimiters();

bool isDelimiter(QChar c);
