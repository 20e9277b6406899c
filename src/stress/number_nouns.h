#pragma once
// The nouns whose form tells how a number before them is said: "в 1812
// году" (an ordinal), "около 100 человек" (a cardinal), "XIX век", "Глава
// II"; the months after a day ("5 мая"), and the abbreviations of "год" and
// "век" ("1812 г.", "XIX в.").

#include "stress/case_set.h"

#include <QList>
#include <QString>
#include <QStringView>

// What a noun says about the numbers beside it.
enum NounUse : unsigned {
    TakesRoman = 1, // "XIX век", "Глава II", "II степени"
    Numbered = 2, // things with numbers: "в 21 веке" is "двадцать первом", not "двадцати одном"
    Year = 4,      // "1941 год": a number of 1000 and more is the year, an ordinal
    PluralOnly = 8 // "XXII Олимпийские игры": the numeral agrees in the plural
};

struct NumberNoun
{
    QStringList singular; // the six cases, nominative to prepositional
    QStringList plural;
    QString locative; // "году", or empty
    WordGender gender = WordGender::Masculine;
    bool animate = false;
    unsigned uses = 0;

    // The form to write in a case ("году" after "в" when `locative`).
    QString form(GrammaticalCase c, bool plural, bool locative) const;
};

// One reading of a written form: its case and number.
struct NounReading
{
    GrammaticalCase grammaticalCase;
    bool plural;
    bool locative; // the second prepositional, only after "в" or "на"
};

struct NounForm
{
    const NumberNoun *noun = nullptr;
    QList<NounReading> readings;
};

// `word` lower case with "ё" as "е"; nullptr when it is no such noun.
const NounForm *numberNounForm(QStringView word);

// The month `word` is the genitive of ("мая"), lower case with "ё" as "е".
bool isMonthGenitive(QStringView word);

// "г" (год), "гг" (годы), "в" (век), "вв" (века) before a full stop: the
// noun, and whether the abbreviation is plural; nullptr for other words.
const NumberNoun *abbreviatedNoun(QStringView word, bool *plural);
