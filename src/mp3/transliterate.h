#pragma once

#include <QString>

// Russian letters as Latin ones ("Щ" -> "SH", "Я" -> "JA", "ъ" and "ь"
// dropped); every other character stays.
QString Transliterate(const QString &text);
