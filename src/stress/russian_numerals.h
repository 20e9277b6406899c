#pragma once
// Russian cardinal and ordinal numbers in words, in any of the six cases,
// for a masculine, feminine or neuter word or a plural one: 1812 as an
// ordinal in the prepositional masculine is "тысяча восемьсот двенадцатом",
// 100 as a cardinal in the genitive "ста". Words are lower case, with "ё"
// where the word has it (четвёртый, трёх) and without stress marks.

#include <QString>

enum class GrammaticalCase { Nominative, Genitive, Dative, Accusative, Instrumental, Prepositional };
constexpr int kGrammaticalCaseCount = 6;

// The form a number word agrees with: plural stands beside the three genders
// because a plural adjective has one form for all of them.
enum class WordGender { Masculine, Feminine, Neuter, Plural };

struct NumeralForm
{
    GrammaticalCase grammaticalCase = GrammaticalCase::Nominative;
    WordGender gender = WordGender::Masculine;
    bool animate = false; // the accusative of an animate masculine or plural is its genitive

    bool operator==(const NumeralForm &) const = default;
};

constexpr qint64 kLargestNumberInWords = 999'999'999;

// 0..kLargestNumberInWords; an empty string outside.
QString cardinalInWords(qint64 number, NumeralForm form);
QString ordinalInWords(qint64 number, NumeralForm form);
