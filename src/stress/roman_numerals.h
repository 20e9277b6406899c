#pragma once
// Roman numerals as books write them: upper case, in the usual subtractive
// form (IV, XIX, MCMXII), 1..3999.

#include <QStringView>

// The value of `word` when it is a Roman numeral written the usual way, 0
// when it is not ("IIII", "IC", "xix", "MIXT"). With `cyrillicLookalikes`,
// the Cyrillic "Х" and "І" count as the Latin letters they look like: books
// typed on a Russian keyboard write "ХIХ" or "ХХ" that way. ("С" and "М"
// do not: "С" is a preposition.)
int romanNumeralValue(QStringView word, bool cyrillicLookalikes = false);

// True for the letters a Roman numeral can begin with, the Cyrillic
// lookalikes included: what the number pass looks for.
bool mayStartRomanNumeral(QChar c);
