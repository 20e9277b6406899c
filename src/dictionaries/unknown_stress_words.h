#pragma once
// The words of a book whose stress the program cannot decide: the words of
// two or more syllables the stress pass leaves to the voice (homographs no
// context rule decides, names, words the lexicon lacks), less those the
// user's dictionaries already change, so the word analysis can offer them
// for a dictionary entry. Counted without regard to case, most frequent
// first.

#include "dictionaries/name_finder.h"
#include "dictionaries/tool_progress.h"

#include <QList>
#include <QString>

class DictionaryEngine;
class StressLexicon;

struct UnknownStressWords
{
    QList<WordCount> words;
    // No lexicon was loaded: every word would count as unknown, so none is
    // listed.
    bool lexiconMissing = false;
    bool cancelled = false;
};

// Each word is shown the way the text writes it in lower case where it
// does, otherwise ("Анна", "ООН") in its commonest form. Equal counts go
// in alphabetical order. Status "Ударения: n%", then the dictionary
// filter's "Фильтрация: n%"; can be cancelled.
UnknownStressWords findUnknownStressWords(const QString &text, const StressLexicon &lexicon,
                                          const DictionaryEngine &engine, const ToolProgress &progress = {});
