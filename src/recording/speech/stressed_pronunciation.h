#pragma once
// How a Russian word sounds with its stress on vowels the text chose, in the
// synthesiser's phoneme mnemonics (to be spoken as phoneme input).
//
// Moving the stress mark alone is not enough: Russian vowels are reduced
// around the stress ("молоко" is [mVlVk'o]), so the vowels that lose the
// stress must be reduced and the one that gains it must be full. The voice's
// own rules work that out: a "ё" always takes the stress, so the word with
// "ё" in place of the stressed vowel gives the reduced vowels everywhere
// else; the consonants come from the word as written (a "ё" softens the
// consonant before it), and the stressed vowel itself from a made-up
// syllable of the same letters, which the voice necessarily stresses.

#include <QString>
#include <QStringList>

#include <functional>

// The voice's phonemes for one word: one mnemonic an entry, a stress mark
// ("'", ",", "%") in front of the vowel it belongs to.
using PhonemeLookup = std::function<QStringList(const QString &word)>;

// The phonemes of `word` (marks removed) with primary stress on its last
// vowel of `stressedVowels` (offsets in the word) and secondary stress on
// the others. Empty when the voice already stresses the word that way, or
// when its phonemes cannot be matched to its letters (a word read as an
// abbreviation, say): the word is then best spoken as it is written.
QString stressedPronunciation(const QString &word, const QList<int> &stressedVowels, const PhonemeLookup &lookup);
