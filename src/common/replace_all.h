#pragma once

#include <QString>

// Replaces every occurrence of `find`, scanning left to right without
// overlap; replaced text is never searched again. With `caseSensitive` false
// letters compare without regard to case (Cyrillic with Ё/ё, and Latin).
// An empty `find` leaves the text unchanged.
QString replaceAll(const QString &text, const QString &find, const QString &replacement, bool caseSensitive);
