#pragma once
// The reader behind numbersInRussianWords (number_words.h): one line of a
// speech text at a time, its numbers as written (digits, Roman numerals,
// written endings, chains such as "XV–XVI"), the words around them, and the
// rules that decide how each is said. The rules for Arabic numbers are in
// number_reader_arabic.cpp, those for Roman numerals in
// number_reader_roman.cpp.

#include "stress/number_nouns.h"
#include "stress/number_readings.h"
#include "stress/number_tokens.h"
#include "stress/prepositions.h"

#include <QList>
#include <QString>

#include <optional>

// One number as written: digits (grouped by blanks, or after "две тысячи"
// of the years option), or a Roman numeral, with its written ending.
struct Numeral
{
    qsizetype firstToken = 0;
    qsizetype lastToken = 0;
    qint64 value = 0;
    bool roman = false;
    bool latin = true;    // a Roman numeral in Latin letters only
    bool grouped = false; // "10 000"
    QString ending;       // the "й" of "5-й", lower case, "ё" as "е"
};

// The noun after (or before) a number, a month, or an abbreviation of one.
struct GoverningWord
{
    const NumberNoun *noun = nullptr;
    QList<NounReading> readings;
    qsizetype token = -1; // the noun's word
    bool abbreviation = false;
    bool abbreviationPlural = false;
    bool month = false;
};

// A stretch of the text and the words it becomes.
struct NumberRewrite
{
    qsizetype start;
    qsizetype end;
    QString text;
};

enum class Capitals { Lower, First, All };

ChoiceContext choiceContext(const Numeral &numeral, const Preposition *preposition, const NumberNoun *noun);

class NumberReader
{
public:
    NumberReader(const QString &text, TextStretch line, QList<NumberRewrite> &rewrites)
        : m_text(text), m_tokens(numberTokens(text, line)), m_rewrites(rewrites)
    { }

    void read();

private:
    qsizetype size() const { return m_tokens.size(); }
    bool is(qsizetype i, TokenKind kind) const { return i >= 0 && i < size() && m_tokens.at(i).kind == kind; }
    bool isSign(qsizetype i, QChar sign) const
    {
        return is(i, TokenKind::Sign) && m_text.at(m_tokens.at(i).start) == sign;
    }
    bool adjacent(qsizetype i, qsizetype j) const { return m_tokens.at(i).end == m_tokens.at(j).start; }
    QStringView view(qsizetype i) const
    {
        return QStringView(m_text).mid(m_tokens.at(i).start, m_tokens.at(i).end - m_tokens.at(i).start);
    }
    QChar charAt(qsizetype position) const
    {
        return position >= 0 && position < m_text.size() ? m_text.at(position) : QChar();
    }
    QString folded(qsizetype i) const;
    bool isWord(qsizetype i, QStringView foldedWord) const { return is(i, TokenKind::Word) && folded(i) == foldedWord; }

    std::optional<Numeral> arabicAt(qsizetype i, bool checkBefore) const;
    std::optional<Numeral> romanAt(qsizetype i, bool checkBefore) const;
    // `blankBeforeHyphen`: "две тысячи -х", as the years option leaves "2000-х".
    bool readEnding(Numeral &numeral, bool blankBeforeHyphen = false) const;
    bool freeBefore(const Numeral &numeral) const;
    bool freeAfter(const Numeral &numeral) const;
    QList<Numeral> chainFrom(const Numeral &first) const;
    qsizetype nextNumberToken(qsizetype i) const;

    const Preposition *prepositionBefore(const Numeral &first) const;
    GoverningWord governingAt(qsizetype i, bool throughAdjective) const;
    bool dateNamed(const Numeral &day, const GoverningWord &month) const;
    bool aloneOnLine(const Numeral &numeral) const;
    bool startsSentence(const Numeral &numeral) const;
    std::optional<bool> feminineHint(qsizetype i) const;

    qsizetype readArabic(qsizetype i);
    qsizetype readSpelledTwoThousand(qsizetype i);
    qsizetype readRoman(qsizetype i);
    std::optional<NumberReading> readArabicChain(const QList<Numeral> &chain, const Preposition *preposition);
    std::optional<NumberReading> readDates(const QList<Numeral> &chain, const Preposition *preposition,
                                           const GoverningWord &month);
    std::optional<NumberReading> readBeforeNoun(const QList<Numeral> &chain, const Preposition *preposition,
                                                const GoverningWord &governing);
    std::optional<NumberReading> readAfterPreposition(const QList<Numeral> &chain, const Preposition *preposition);
    std::optional<NumberReading> readWithEndings(const QList<Numeral> &chain, const Preposition *preposition);
    bool readAfterNoun(const QList<Numeral> &chain);
    bool readAfterName(const QList<Numeral> &chain);

    void write(const Numeral &numeral, const NumberReading &reading, Capitals capitals);
    void writeAbbreviation(const GoverningWord &governing, const NumberReading &reading,
                           const Preposition *preposition);
    Capitals capitalsOf(const Numeral &numeral) const;

    const QString &m_text;
    const QList<TextToken> m_tokens;
    QList<NumberRewrite> &m_rewrites;
};
