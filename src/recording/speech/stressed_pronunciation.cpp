#include "recording/speech/stressed_pronunciation.h"

#include "recording/speech/stress_marks.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool isStressSign(QChar c)
{
    return c == u'\'' || c == u',' || c == u'%' || c == u'=';
}

struct Phoneme
{
    QString stress; // the stress marks in front of it
    QString name;
    QString text() const { return stress + name; }
};

// A word's phonemes split at its vowels: consonants[i] stand before
// vowels[i]; the last entry of consonants is what follows the last vowel.
struct Syllables
{
    QList<Phoneme> vowels;
    QList<QList<Phoneme>> consonants = {QList<Phoneme>()};
};

// The Russian voice's vowel mnemonics: a vowel letter with an optional
// variant sign, "ja" and "ju" for the iotated ones. The short schwa "@-"
// between consonants and the silent "I^" are no syllables.
bool isVowel(const QString &name)
{
    static const QRegularExpression vowel(QStringLiteral("^j?[aeiouyAEIOUVY@8][#\"23]?$"));
    return vowel.match(name).hasMatch();
}

Syllables syllables(const QStringList &mnemonics)
{
    Syllables result;
    QString pending;
    for (const QString &mnemonic : mnemonics) {
        qsizetype signs = 0;
        while (signs < mnemonic.size() && isStressSign(mnemonic.at(signs)))
            ++signs;
        pending += mnemonic.left(signs);
        if (signs == mnemonic.size())
            continue; // a stress mark on its own belongs to the next phoneme
        const Phoneme phoneme{pending, mnemonic.mid(signs)};
        pending.clear();
        if (isVowel(phoneme.name)) {
            result.vowels.append(phoneme);
            result.consonants.append(QList<Phoneme>());
        } else {
            result.consonants.last().append(phoneme);
        }
    }
    return result;
}

QString joined(const QList<Phoneme> &phonemes)
{
    QString text;
    for (const Phoneme &phoneme : phonemes)
        text += phoneme.text();
    return text;
}

// The vowel at `at` as the voice says it under stress, after the same
// letter: a one-syllable made-up word is always stressed. Empty when the
// voice reads the syllable otherwise than as one vowel.
QString fullVowel(const QString &letters, int at, const PhonemeLookup &lookup)
{
    const QChar before = at > 0 ? letters.at(at - 1) : QChar();
    // after a vowel, a hard or soft sign or at the start, "е", "ю" and "я"
    // begin with [j], as they do at the start of the made-up word
    const bool iotated = !before.isLetter() || isRussianVowel(before) || before == u'ь' || before == u'ъ';
    const QString probe = (iotated ? QString() : QString(before)) + letters.at(at) + QStringLiteral("пт");
    const Syllables syllable = syllables(lookup(probe));
    return syllable.vowels.size() == 1 ? syllable.vowels.first().name : QString();
}

// A primary stress that the "ё" of another syllable brought is secondary
// beside the chosen one.
QString secondary(const QString &stress)
{
    QString result = stress;
    return result.replace(u'\'', u',');
}

} // namespace

QString stressedPronunciation(const QString &word, const QList<int> &stressedVowels, const PhonemeLookup &lookup)
{
    const QString letters = word.toLower();
    QList<int> vowelAt;
    for (int i = 0; i < letters.size(); ++i)
        if (isRussianVowel(letters.at(i)))
            vowelAt.append(i);
    QList<int> marked; // syllable numbers
    for (int offset : stressedVowels)
        if (const int syllable = int(vowelAt.indexOf(offset)); syllable >= 0 && !marked.contains(syllable))
            marked.append(syllable);
    std::sort(marked.begin(), marked.end());
    if (marked.isEmpty())
        return {};
    const int primary = marked.last();

    const Syllables written = syllables(lookup(letters));
    if (written.vowels.size() != vowelAt.size())
        return {};
    if (marked.size() == 1 && written.vowels.at(primary).stress.contains(u'\''))
        return {};

    QString withYo = letters;
    for (int syllable : marked)
        withYo[vowelAt.at(syllable)] = QChar(u'ё');
    const Syllables reduced = syllables(lookup(withYo));
    if (reduced.vowels.size() != vowelAt.size())
        return {};

    QString phonemes;
    for (int i = 0; i < vowelAt.size(); ++i) {
        phonemes += joined(written.consonants.at(i));
        if (marked.contains(i)) {
            const QString full = fullVowel(letters, vowelAt.at(i), lookup);
            if (full.isEmpty())
                return {};
            phonemes += QChar(i == primary ? u'\'' : u',');
            phonemes += full;
        } else {
            const Phoneme &vowel = reduced.vowels.at(i);
            phonemes += secondary(vowel.stress) + vowel.name;
        }
    }
    return phonemes + joined(written.consonants.last());
}
