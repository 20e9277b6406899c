#pragma once
// What the voice is given for a text, after the user's pronunciation
// dictionaries and before the voice layer turns stress marks into phonemes:
// numbers and Roman numerals the context makes sure of in Russian words
// (number_words.h; always), then the stresses and "ё" the lexicon is sure of
// (unless the user switched them off). Everything that speaks a
// book's text (the recording, the reader, the dictionary trial, the command
// line) goes through here, so a listener hears the same word the same way
// wherever it is spoken, and `lectorium-cli phonemes` shows what the
// recording says.

#include <QString>
#include <QStringList>

class StressLexicon;

struct SpokenTextOptions
{
    // Null: the automatic stresses are off (the user's switch, or no lexicon).
    const StressLexicon *lexicon = nullptr;
};

// `rewritten` is `original` after the user's dictionaries (the same text when
// there are none); words the dictionaries changed are the user's and keep
// what the user gave them. `undecided`, when given, receives the words of two
// or more syllables left to the voice.
QString spokenText(const QString &original, const QString &rewritten, const SpokenTextOptions &options,
                   QStringList *undecided = nullptr);

inline QString spokenText(const QString &text, const SpokenTextOptions &options)
{
    return spokenText(text, text, options);
}

// The options for a program folder with the automatic stresses on or off.
SpokenTextOptions spokenTextOptions(const QString &programFolder, bool autoStress);
