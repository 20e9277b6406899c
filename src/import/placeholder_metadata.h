#pragma once
// Values that converters and libraries write into a book's description when
// they know nothing ("Unknown", "Автор неизвестен"): not an author or a
// title, so the book never begins with them spoken, and the information
// fields and tags stay empty instead.

#include <QString>

// True for such a value, in any letter case and spacing.
bool isPlaceholderName(const QString &value);
