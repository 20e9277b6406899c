#pragma once
// Small text transformations of book preparation: spaces, letter case, the
// year rewrite for the speech engine, and the clean-up that turns a text into
// a book title (which is also the project's folder name).

#include "common/user_dialogs.h"

#include <QString>

#include <optional>

// Without leading and trailing spaces (only " ": tabs and other white space
// are text here, as the line rules expect).
QString trimSpaces(const QString &text);
QString trimLeadingSpaces(const QString &text);
// True when the text is empty or holds nothing but spaces.
bool isBlank(const QString &text);
// Replaces two spaces by one until no two follow each other.
QString collapseSpaces(const QString &text);

// The first letter of every word upper case, all other letters lower case
// (the editor's command for a heading typed in capitals; nothing else changes
// a book's letter case). Words are separated by white space only, so
// "{пауза->}" and "(ГЛАВА" keep a lower-case first letter after their opening
// sign. Roman numerals stay as written: "ГЛАВА XIV" -> "Глава XIV".
QString properCase(const QString &text);

// True when `c` is exactly one character and a decimal digit.
bool isDigitChar(const QString &c);

// Rewrites the years 2000-2999 standing on their own (no digit right before
// or after the four digits) as " две тысячи " followed by the rest of the
// number without leading zeros, so the speech engine says them right:
// 2005 -> " две тысячи 5", 2000 -> " две тысячи ".
QString fixYears(const QString &text);

// Folder-safe book title: line breaks and . ; , ? ! \ / : $ % & @ * # " become
// " - ", dashes and spaces are stripped from both ends, repeated dashes and
// spaces collapse; the letters keep the case they were typed in. A result above 128 characters is refused
// with the warning "Неправильное название книги" (nothing is returned).
constexpr int kMaxTitleLength = 128;
std::optional<QString> cleanTitle(const QString &text, UserDialogs &dialogs);
