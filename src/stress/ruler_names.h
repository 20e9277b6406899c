#pragma once
// The names of rulers and popes that books write with a Roman numeral
// ("Пётр I", "при Петре I", "Екатерины II", "Людовик XIV"): in which case and
// gender a written form stands, so the numeral after it agrees ("Петре
// Первом").

#include "stress/russian_numerals.h"

#include <QList>
#include <QStringView>

struct NameReading
{
    GrammaticalCase grammaticalCase;
    WordGender gender;
};

// The readings of `word` as written, when it is a capitalised Russian name
// of the list in any case, or another capitalised Russian word that ends in
// a hard consonant (a ruler's name in the nominative: "Рамзес II"); empty
// otherwise. `listed` tells whether the name is one of the list.
QList<NameReading> rulerNameReadings(QStringView word, bool *listed = nullptr);
