#pragma once
// Chapter numbers as books write them after "Глава", "Часть", "Том" ...:
// Arabic digits, a Roman numeral of any length, or a number in words
// ("первая", "ДВАДЦАТЬ ПЕРВАЯ", "сто"). The chapter identifiers name them
// with two classes that a plain wildcard pattern cannot say:
//   "{номер}"   a chapter number in any of the three forms;
//   "{римское}" a Roman numeral only (for lines that hold nothing else,
//               where a number word would catch a one-word reply).

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

enum class ChapterNumberKind {
    Any,   // "{номер}"
    Roman, // "{римское}"
};

// The class written at `at` in a pattern, with its length in `tokenLength`;
// nothing when no class starts there.
std::optional<ChapterNumberKind> chapterNumberClassAt(QStringView pattern, qsizetype at, qsizetype &tokenLength);

// The lengths of the numbers of `kind` that begin at `at` in `line` and end
// where a word ends: a whole run of digits, a whole Roman numeral, or one to
// four number words separated by single spaces ("двадцать", "двадцать
// первая"). Number words ignore letter case and take "ё" for "е".
QList<qsizetype> chapterNumberLengthsAt(QStringView line, qsizetype at, ChapterNumberKind kind);

// True when the whole text is a Roman numeral (I, V, X, L, C, D, M; a
// Cyrillic "Х" or "І" typed for the Latin letter counts as it).
bool isRomanNumeral(QStringView text);

// True when the word, in any letter case, is a cardinal or ordinal number
// word up to a hundred ("одиннадцатая", "Третьего", "сорок").
bool isNumberWord(QStringView word);
