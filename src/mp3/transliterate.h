#pragma once

#include <QString>

// Russian letters as Latin ones ("Щ" -> "SH", "Я" -> "JA", "ъ" and "ь"
// dropped); every other character stays.
QString transliterate(const QString &text);
