#include "stress/roman_numerals.h"

#include <QString>

#include <array>

namespace {

QChar latinLetter(QChar c, bool cyrillicLookalikes)
{
    if (!cyrillicLookalikes)
        return c;
    switch (c.unicode()) {
    case u'Х': return u'X';
    case u'І': return u'I';
    default: return c;
    }
}

int letterValue(QChar c)
{
    switch (c.unicode()) {
    case u'I': return 1;
    case u'V': return 5;
    case u'X': return 10;
    case u'L': return 50;
    case u'C': return 100;
    case u'D': return 500;
    case u'M': return 1000;
    default: return 0;
    }
}

// The usual spelling of 1..3999.
QString romanSpelling(int value)
{
    static const std::array<std::pair<int, const char *>, 13> kParts = {{{1000, "M"},
                                                                         {900, "CM"},
                                                                         {500, "D"},
                                                                         {400, "CD"},
                                                                         {100, "C"},
                                                                         {90, "XC"},
                                                                         {50, "L"},
                                                                         {40, "XL"},
                                                                         {10, "X"},
                                                                         {9, "IX"},
                                                                         {5, "V"},
                                                                         {4, "IV"},
                                                                         {1, "I"}}};
    QString spelling;
    for (const auto &[part, letters] : kParts) {
        while (value >= part) {
            spelling += QLatin1String(letters);
            value -= part;
        }
    }
    return spelling;
}

} // namespace

bool mayStartRomanNumeral(QChar c)
{
    return letterValue(c) != 0 || latinLetter(c, true) != c;
}

int romanNumeralValue(QStringView word, bool cyrillicLookalikes)
{
    if (word.isEmpty() || word.size() > 15)
        return 0;
    QString latin;
    latin.reserve(word.size());
    for (const QChar c : word)
        latin += latinLetter(c, cyrillicLookalikes);
    int value = 0;
    for (qsizetype i = 0; i < latin.size(); ++i) {
        const int letter = letterValue(latin.at(i));
        if (letter == 0)
            return 0;
        const int next = i + 1 < latin.size() ? letterValue(latin.at(i + 1)) : 0;
        value += next > letter ? -letter : letter;
    }
    // Only the usual spelling is a numeral: "IIII", "IC" and "VX" are not.
    return value > 0 && value < 4000 && romanSpelling(value) == latin ? value : 0;
}
