#pragma once
// How wide a text is on a terminal, and a text cut to a terminal's width: a
// line redrawn in place must never wrap, or each redraw leaves a line behind.

#include <QString>

// Columns the text takes: a combining mark none, a wide East Asian character
// or emoji two, anything else one (Cyrillic, Latin, digits).
int terminalColumnsOf(const QString &text);

// The text as it is when it fits in `columns`, otherwise its beginning and
// "…" in exactly that many columns or fewer.
QString cutToColumns(const QString &text, int columns);
