#pragma once
// The stress and "ё" pass over a text about to be spoken: every word of two
// or more syllables that carries no stress mark gets a "+" after its
// stressed vowel ("молоко+", "Молоко+") when the lexicon gives the word one
// stress, and a word written with "е" that the lexicon knows only with "ё"
// is written with "ё" ("еще" -> "ещё"; a "ё" takes the stress by itself).
// Homographs are left to the voice unless a context rule decides them
// (stress_context_rules.h). Left as they are: words with a stress mark or
// an accent already (the book or the user chose), words with a "ё" (the
// voice stresses it), words with other letters than Russian ones, and
// everything inside voice markers ("{речь->}"), SAPI XML tags, entities and
// phoneme input ("[[...]]"). Hyphenated words are looked up whole and, when
// the lexicon lacks the whole, part by part ("кто-нибудь").

#include <QString>
#include <QStringList>

class StressLexicon;

class StressPass
{
public:
    explicit StressPass(const StressLexicon &lexicon) : m_lexicon(lexicon) { }

    // The text with the stresses and "ё" the lexicon and the rules decide.
    // `undecided`, when given, receives the words of two or more syllables
    // left to the voice (homographs the rules do not decide and words the
    // lexicon lacks), as written, in the order they stand.
    QString apply(const QString &text, QStringList *undecided = nullptr) const;

    // The same for a text the user's dictionaries rewrote from `original`:
    // the words they changed stay as the user wrote them, except a
    // respelling with the same vowels in the same places ("чего" -> "чево"),
    // which keeps the stress of the word it stands for.
    QString applyAfterRewrite(const QString &original, const QString &rewritten,
                              QStringList *undecided = nullptr) const;

private:
    const StressLexicon &m_lexicon;
};
