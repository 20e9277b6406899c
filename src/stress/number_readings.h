#pragma once
// The ways a number can be read beside the words around it, and the choice
// among them. A reading is an ordinal or a cardinal in a case and gender;
// the noun after the number gives the readings that agree with its form
// ("в 1812 году": only an ordinal in the prepositional, since a cardinal
// would want "годах"), a preposition before it keeps those of its cases, a
// written ending ("5-й") those whose words end so. Where several readings
// remain with different words, a few preferences settle the usual cases;
// otherwise there is no choice and the number stays as written.

#include "stress/number_nouns.h"
#include "stress/prepositions.h"
#include "stress/russian_numerals.h"

#include <QList>
#include <QString>

#include <optional>

struct NumberReading
{
    bool ordinal = true;
    NumeralForm form;
};

// What the choice may use besides the readings.
struct ChoiceContext
{
    qint64 value = 0;
    QString ending; // written ending, lower case, "ё" as "е"
    const Preposition *preposition = nullptr;
    const NumberNoun *noun = nullptr; // the noun the readings agree with
    std::optional<bool> feminineHint; // an unknown word after "5-й" looks feminine (true) or masculine
    std::optional<GrammaticalCase> preferredCase;
};

QString wordsOf(qint64 value, const NumberReading &reading);

// True when `words` end with the written ending ("пятой" with "й" or "ой").
bool endsAsWritten(const QString &words, const QString &ending);

// The readings whose words end with `ending` (all of them when it is empty).
QList<NumberReading> withEnding(const QList<NumberReading> &readings, qint64 value, const QString &ending);

// The readings of a number that agree with a noun's possible forms after
// it. `lastOfChain` is false for the first numbers of "5–10 человек",
// which agree with the noun by case only; in a chain before a plural noun
// ordinals are singular ("в XV–XVI веках").
QList<NumberReading> agreeingReadings(qint64 value, bool roman, bool writtenEnding, bool lastOfChain,
                                      qsizetype chainSize, const NumberNoun &noun,
                                      const QList<NounReading> &nounReadings, const Preposition *preposition);

// The forms "г." and "в." can stand for: after "в" or "на" the
// prepositional, after another preposition its cases, alone the genitive
// ("литература XIX в.").
QList<NounReading> abbreviationReadings(bool plural, const Preposition *preposition);

// Every ordinal (and for Arabic numbers every cardinal) a preposition allows.
QList<NumberReading> allReadings(bool roman, const Preposition *preposition);

std::optional<NumberReading> chooseReading(QList<NumberReading> readings, const ChoiceContext &context);
