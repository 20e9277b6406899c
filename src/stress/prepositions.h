#pragma once
// The prepositions (and the comparatives that govern like them: "более",
// "больше", "позже") that stand before a number and tell its case.

#include "stress/case_set.h"

#include <QStringView>

#include <optional>

struct Preposition
{
    CaseSet cases;
    // "в" and "на" take the second prepositional of a few nouns ("в году",
    // "в ряду", "в часу").
    bool takesLocative = false;
    // The case of a date after it ("до пятого мая", "по десятое мая", "к
    // первому сентября"), when it takes dates.
    std::optional<GrammaticalCase> dateCase;
};

// The preposition `word` (lower case, "ё" as "е"), if it is one of them.
const Preposition *prepositionOf(QStringView word);
