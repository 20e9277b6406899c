#pragma once
// How one chapter-identifier pattern is compared with a prepared line: the
// whole line for a pattern holding "*" or ending in "|", else the line's
// beginning. A pattern may name chapter numbers with the classes of
// chapter_number.h; such a prefix pattern matches only where its number
// ends a word, so "Глава {номер}" takes "Глава 12. Начало" but not
// "Глава 12б".

#include <QString>

// `pattern` is the identifier as listed ("Глава #", "Пролог|", "Часть *").
bool chapterPatternMatches(const QString &pattern, const QString &line);
