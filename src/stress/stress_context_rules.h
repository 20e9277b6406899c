#pragma once
// Context rules for the commonest homographs whose stress (or "ё") the next
// or previous word tells. Each rule was checked on real text (see
// tests/stress/stress_context_rules_test.cpp); a homograph no rule decides is
// left to the voice.

#include "stress/stress_lexicon.h"

#include <QString>

#include <optional>

// The words around a homograph, lower case with "ё" as "е"; empty where a
// sentence mark, a marker or the text's end comes first.
struct WordContext
{
    QString previous;
    QString next;
    QString beforePrevious; // the word before `previous`, on the same terms
};

// The stressing among `stressings` (the lexicon's for `word`, lower case,
// "ё" as "е") that the context decides, if a rule does.
std::optional<Stressing> stressingByContext(const QString &word, const QList<Stressing> &stressings,
                                            const WordContext &context);
