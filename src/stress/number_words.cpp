#include "stress/number_words.h"

#include "stress/number_nouns.h"
#include "stress/number_readings.h"
#include "stress/number_tokens.h"
#include "stress/prepositions.h"
#include "stress/protected_text.h"
#include "stress/roman_numerals.h"
#include "stress/ruler_names.h"
#include "stress/russian_letters.h"

#include <optional>

namespace {

using C = GrammaticalCase;

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
struct Governing
{
    const NumberNoun *noun = nullptr;
    QList<NounReading> readings;
    qsizetype token = -1; // the noun's word
    bool abbreviation = false;
    bool abbreviationPlural = false;
    bool month = false;
};

struct Replacement
{
    qsizetype start;
    qsizetype end;
    QString text;
};

enum class Capitals { Lower, First, All };

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

ChoiceContext choiceContext(const Numeral &numeral, const Preposition *preposition, const NumberNoun *noun)
{
    ChoiceContext context;
    context.value = numeral.value;
    context.ending = numeral.ending;
    context.preposition = preposition;
    context.noun = noun;
    return context;
}

QString withCapitals(QString words, Capitals capitals)
{
    if (capitals == Capitals::All)
        return words.toUpper();
    if (capitals == Capitals::First && !words.isEmpty())
        words[0] = words.at(0).toUpper();
    return words;
}

// Adjective endings, for a word between a Roman numeral and its noun ("II
// мировой войны", "XXII Олимпийских игр").
bool looksLikeAdjective(const QString &word)
{
    static const char16_t *const kEndings[] = {u"ый", u"ий", u"ой",  u"ая",  u"яя",  u"ое",  u"ее",  u"ые",
                                               u"ие", u"ых", u"их",  u"ым",  u"им",  u"ую",  u"юю",  u"ом",
                                               u"ем", u"ей", u"ого", u"его", u"ому", u"ему", u"ыми", u"ими"};
    if (word.size() < 4)
        return false;
    for (const char16_t *ending : kEndings)
        if (word.endsWith(QStringView(ending)))
            return true;
    return false;
}

class NumberReader
{
public:
    NumberReader(const QString &text, TextStretch line, QList<Replacement> &replacements)
        : m_text(text), m_tokens(numberTokens(text, line)), m_replacements(replacements)
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
    bool readEnding(Numeral &numeral) const;
    bool freeBefore(const Numeral &numeral) const;
    bool freeAfter(const Numeral &numeral) const;
    QList<Numeral> chainFrom(const Numeral &first) const;
    qsizetype nextNumberToken(qsizetype i) const;

    const Preposition *prepositionBefore(const Numeral &first) const;
    Governing governingAt(qsizetype i, bool throughAdjective) const;
    bool dateNamed(const Numeral &day, const Governing &month) const;
    bool aloneOnLine(const Numeral &numeral) const;
    bool startsSentence(const Numeral &numeral) const;
    std::optional<bool> feminineHint(qsizetype i) const;

    qsizetype readArabic(qsizetype i);
    qsizetype readRoman(qsizetype i);
    std::optional<Reading> readArabicChain(const QList<Numeral> &chain, const Preposition *preposition);
    std::optional<Reading> readDates(const QList<Numeral> &chain, const Preposition *preposition,
                                     const Governing &month);
    std::optional<Reading> readBeforeNoun(const QList<Numeral> &chain, const Preposition *preposition,
                                          const Governing &governing);
    std::optional<Reading> readAfterPreposition(const QList<Numeral> &chain, const Preposition *preposition);
    std::optional<Reading> readWithEndings(const QList<Numeral> &chain, const Preposition *preposition);
    bool readAfterNoun(const QList<Numeral> &chain);
    bool readAfterName(const QList<Numeral> &chain);

    void write(const Numeral &numeral, const Reading &reading, Capitals capitals);
    void writeAbbreviation(const Governing &governing, const Reading &reading, const Preposition *preposition);
    Capitals capitalsOf(const Numeral &numeral) const;

    const QString &m_text;
    const QList<TextToken> m_tokens;
    QList<Replacement> &m_replacements;
};

QString NumberReader::folded(qsizetype i) const
{
    QString word;
    const QStringView written = view(i);
    word.reserve(written.size());
    for (const QChar c : written) {
        if (isStressMark(c))
            continue;
        word += isRussianLetter(c) ? foldedRussianLetter(c) : c.toLower();
    }
    return word;
}

// ---- numbers as written ----

std::optional<Numeral> NumberReader::arabicAt(qsizetype i, bool checkBefore) const
{
    if (!is(i, TokenKind::Number))
        return {};
    const QStringView digits = view(i);
    if (digits.size() > 9 || (digits.size() > 1 && digits.front() == u'0'))
        return {};
    Numeral numeral;
    numeral.firstToken = numeral.lastToken = i;
    numeral.value = digits.toLongLong();
    if (digits.size() <= 3) {
        // "10 000", "1 500 000": groups of three after one to three digits.
        qsizetype j = i;
        while (is(j + 1, TokenKind::Number) && m_tokens.at(j).end + 1 == m_tokens.at(j + 1).start
               && view(j + 1).size() == 3 && numeral.value <= kLargestNumberInWords / 1000) {
            numeral.value = numeral.value * 1000 + view(j + 1).toLongLong();
            numeral.grouped = true;
            ++j;
        }
        numeral.lastToken = j;
    }
    // The years option writes 2005 as "две тысячи 5".
    if (!numeral.grouped && digits.size() <= 3 && numeral.value > 0 && is(i - 1, TokenKind::Word)
        && is(i - 2, TokenKind::Word) && view(i - 1) == u"тысячи" && view(i - 2) == u"две") {
        numeral.value += 2000;
        numeral.firstToken = i - 2;
    }
    if (!readEnding(numeral) || (checkBefore && !freeBefore(numeral)) || !freeAfter(numeral))
        return {};
    return numeral;
}

std::optional<Numeral> NumberReader::romanAt(qsizetype i, bool checkBefore) const
{
    if (!is(i, TokenKind::Word) || !mayStartRomanNumeral(m_text.at(m_tokens.at(i).start)))
        return {};
    const QStringView word = view(i);
    Numeral numeral;
    numeral.firstToken = numeral.lastToken = i;
    numeral.roman = true;
    numeral.value = romanNumeralValue(word, true);
    numeral.latin = romanNumeralValue(word) != 0;
    if (numeral.value == 0 || !readEnding(numeral) || (checkBefore && !freeBefore(numeral)) || !freeAfter(numeral))
        return {};
    return numeral;
}

// "5-й", "1990-х", "XIX-го": a hyphen and up to four Russian letters; "5-летний"
// and "2-комнатная" are words of their own and make the number no number here.
bool NumberReader::readEnding(Numeral &numeral) const
{
    const qsizetype k = numeral.lastToken;
    if (!isSign(k + 1, u'-') || !adjacent(k, k + 1) || !is(k + 2, TokenKind::Word) || !adjacent(k + 1, k + 2))
        return true;
    const QStringView written = view(k + 2);
    for (const QChar c : written)
        if (!isRussianLetter(c))
            return false;
    if (written.size() > 4 || (isSign(k + 3, u'-') && adjacent(k + 2, k + 3)))
        return false;
    numeral.ending = folded(k + 2);
    numeral.lastToken = k + 2;
    return true;
}

// Nothing before the number that makes it part of something else: a sign,
// a decimal point, a currency, a letter or digit stuck to it.
bool NumberReader::freeBefore(const Numeral &numeral) const
{
    const QChar c = charAt(m_tokens.at(numeral.firstToken).start - 1);
    if (c.isNull() || is(numeral.firstToken - 1, TokenKind::Markup))
        return true;
    if (c.isLetterOrNumber())
        return false;
    return !QStringView(u".,:/+-−$€£₽№#%_\\@^*=<>").contains(c);
}

bool NumberReader::freeAfter(const Numeral &numeral) const
{
    const qsizetype end = m_tokens.at(numeral.lastToken).end;
    const QChar c = charAt(end);
    if (c.isNull()
        || (is(numeral.lastToken + 1, TokenKind::Markup) && adjacent(numeral.lastToken, numeral.lastToken + 1)))
        return true;
    if (c.isLetterOrNumber() || isStressMark(c))
        return false;
    if (QStringView(u"%‰$€£₽°′″/\\×*^_@=<>").contains(c))
        return false;
    const QChar next = charAt(end + 1);
    if ((c == u'.' || c == u',' || c == u':') && (isAsciiDigit(next) || next.isLetter()))
        return false; // 3,5  12.05  2:0  I.V.
    if (c == u'-' && !isAsciiDigit(next) && !mayStartRomanNumeral(next))
        return false;
    return true;
}

// The number token at `i`, or after "две тысячи" at `i`.
qsizetype NumberReader::nextNumberToken(qsizetype i) const
{
    if (is(i, TokenKind::Word) && view(i) == u"две" && is(i + 1, TokenKind::Word) && view(i + 1) == u"тысячи"
        && is(i + 2, TokenKind::Number))
        return i + 2;
    return i;
}

// "XV–XVI", "1941-1945", "5-м и 6-м", "XVIII, XIX и XX": numbers of one
// kind joined by dashes, commas, "и", "или". A hyphen joins two numbers at
// most: "123-45-67" is a telephone number and stays as written (the result
// is empty).
QList<Numeral> NumberReader::chainFrom(const Numeral &first) const
{
    QList<Numeral> chain{first};
    bool hyphen = false;
    while (chain.size() < 8) {
        const qsizetype k = chain.last().lastToken + 1;
        if (k + 1 >= size())
            break;
        bool joins = false;
        bool isHyphen = false;
        if (is(k, TokenKind::Sign)) {
            const QChar sign = m_text.at(m_tokens.at(k).start);
            if (sign == u'–' || sign == u'—' || sign == u'‒')
                joins = true;
            else if (sign == u'-')
                joins = isHyphen = adjacent(k - 1, k) == adjacent(k, k + 1);
            else if (sign == u',')
                joins = !adjacent(k, k + 1);
        } else if (is(k, TokenKind::Word)) {
            const QString word = folded(k);
            joins = word == u"и" || word == u"или";
        }
        if (!joins)
            break;
        // "в 1871 и в 1872 гг.": the preposition of the first number again.
        qsizetype nextToken = k + 1;
        if (is(k, TokenKind::Word) && is(nextToken, TokenKind::Word) && is(first.firstToken - 1, TokenKind::Word)
            && folded(nextToken) == folded(first.firstToken - 1) && prepositionOf(folded(nextToken)))
            ++nextToken;
        const std::optional<Numeral> next =
            first.roman ? romanAt(nextToken, false) : arabicAt(nextNumberToken(nextToken), false);
        if (!next)
            break;
        hyphen = hyphen || isHyphen;
        chain.append(*next);
    }
    const qsizetype end = m_tokens.at(chain.last().lastToken).end;
    if ((hyphen && chain.size() > 2) || (charAt(end) == u'-' && isAsciiDigit(charAt(end + 1))))
        return {};
    return chain;
}

// ---- the words around ----

const Preposition *NumberReader::prepositionBefore(const Numeral &first) const
{
    const qsizetype i = first.firstToken - 1;
    return is(i, TokenKind::Word) ? prepositionOf(folded(i)) : nullptr;
}

Governing NumberReader::governingAt(qsizetype i, bool throughAdjective) const
{
    Governing governing;
    if (!is(i, TokenKind::Word))
        return governing;
    const QString word = folded(i);
    governing.token = i;
    if (isMonthGenitive(word)) {
        governing.month = true;
        return governing;
    }
    if (isSign(i + 1, u'.') && adjacent(i, i + 1)) {
        bool plural = false;
        if (const NumberNoun *noun = abbreviatedNoun(word, &plural)) {
            governing.noun = noun;
            governing.abbreviation = true;
            governing.abbreviationPlural = plural;
            for (int c = 0; c < kGrammaticalCaseCount; ++c)
                governing.readings.append({C(c), plural, false});
            return governing;
        }
    }
    if (const NounForm *form = numberNounForm(word)) {
        governing.noun = form->noun;
        governing.readings = form->readings;
        return governing;
    }
    if (throughAdjective && looksLikeAdjective(word))
        return governingAt(i + 1, false);
    governing.token = -1;
    return governing;
}

// A date with no preposition is said in the genitive when it tells when
// something happened ("сообщил 28 декабря", "5 мая 1812 года Наполеон"),
// in the nominative when it names the day: on a line of its own or after a
// place ("Москва, 17 ноября."), after "сегодня" and the like, or before a
// dash ("5 мая — день...").
bool NumberReader::dateNamed(const Numeral &day, const Governing &month) const
{
    const qsizetype before = day.firstToken - 1;
    if (is(before, TokenKind::Word)) {
        static const char16_t *const kNamingWords[] = {u"сегодня",  u"завтра",    u"вчера",    u"наступило",
                                                       u"наступил", u"наступает", u"наступит", u"настало"};
        const QString word = folded(before);
        for (const char16_t *naming : kNamingWords)
            if (word == QStringView(naming))
                return true;
    }
    qsizetype after = month.token + 1;
    if (const std::optional<Numeral> year = arabicAt(nextNumberToken(after), false)) {
        after = year->lastToken + 1;
        if (isWord(after, u"г") && isSign(after + 1, u'.'))
            after += 2;
        else if (isWord(after, u"года") || isWord(after, u"год"))
            ++after;
    }
    if (isSign(after, u'–') || isSign(after, u'—'))
        return true;
    // The rest of the line: nothing but a full stop and markup.
    for (qsizetype k = after; k < size() && !is(k, TokenKind::LineBreak); ++k)
        if (!is(k, TokenKind::Markup) && !isSign(k, u'.') && !isSign(k, u'»') && !isSign(k, u'"'))
            return false;
    // The line before: nothing, or a place and a comma, after opening quotes and markup.
    qsizetype k = before;
    if (isSign(k, u',') && is(k - 1, TokenKind::Word) && m_text.at(m_tokens.at(k - 1).start).isUpper())
        k -= 2;
    while (is(k, TokenKind::Markup) || isSign(k, u'«') || isSign(k, u'"') || isSign(k, u'('))
        --k;
    return k < 0 || is(k, TokenKind::LineBreak);
}

bool NumberReader::aloneOnLine(const Numeral &numeral) const
{
    qsizetype k = numeral.firstToken - 1;
    while (is(k, TokenKind::Markup))
        --k;
    if (k >= 0 && !is(k, TokenKind::LineBreak))
        return false;
    k = numeral.lastToken + 1;
    if (isSign(k, u'.'))
        ++k;
    while (is(k, TokenKind::Markup))
        ++k;
    return k >= size() || is(k, TokenKind::LineBreak);
}

bool NumberReader::startsSentence(const Numeral &numeral) const
{
    const qsizetype k = numeral.firstToken - 1;
    if (k < 0 || is(k, TokenKind::LineBreak))
        return true;
    return is(k, TokenKind::Sign) && QStringView(u".!?…").contains(m_text.at(m_tokens.at(k).start));
}

Capitals NumberReader::capitalsOf(const Numeral &numeral) const
{
    return startsSentence(numeral) ? Capitals::First : Capitals::Lower;
}

// Whether the unknown word at `i` after "5-й" looks like a feminine noun in
// an oblique case ("5-й роте": е, и, ы) or a masculine one in the nominative
// ("5-й полк": a consonant or ь).
std::optional<bool> NumberReader::feminineHint(qsizetype i) const
{
    if (!is(i, TokenKind::Word))
        return {};
    const QStringView written = view(i);
    const bool abbreviated = isSign(i + 1, u'.') && adjacent(i, i + 1); // "в 1-й типогр."
    if (written.size() < 3 || !written.front().isLower() || abbreviated)
        return {};
    for (const QChar c : written)
        if (!isRussianLetter(c))
            return {};
    const QString word = folded(i);
    if (looksLikeAdjective(word) || prepositionOf(word))
        return {};
    const QChar last = word.back();
    if (last == u'е' || last == u'и' || last == u'ы')
        return true;
    if (!isRussianVowelLetter(last) && last != u'й')
        return false;
    return {};
}

// ---- writing ----

void NumberReader::write(const Numeral &numeral, const Reading &reading, Capitals capitals)
{
    const QString words = wordsOf(numeral.value, reading);
    if (words.isEmpty())
        return;
    const bool asTheVoiceSaysIt =
        !reading.ordinal && numeral.ending.isEmpty() && !numeral.grouped && words == cardinalInWords(numeral.value, {});
    if (asTheVoiceSaysIt)
        return;
    m_replacements.append(
        {m_tokens.at(numeral.firstToken).start, m_tokens.at(numeral.lastToken).end, withCapitals(words, capitals)});
}

// "в 1812 г." -> "в ... году", "XIX в." -> "... века". The full stop stays
// only at the end of a line: a capital after it is more often a name ("в
// 1872 г. Толстой читал") than a new sentence.
void NumberReader::writeAbbreviation(const Governing &governing, const Reading &reading, const Preposition *preposition)
{
    const qsizetype word = governing.token;
    const qsizetype dot = word + 1;
    const bool locative = preposition && preposition->takesLocative;
    QString noun = governing.noun->form(reading.form.grammaticalCase, governing.abbreviationPlural, locative);
    const qsizetype after = dot + 1;
    const bool sentenceEnds = after >= size() || is(after, TokenKind::LineBreak) || is(after, TokenKind::Markup);
    if (sentenceEnds)
        noun += u'.';
    m_replacements.append({m_tokens.at(word).start, m_tokens.at(dot).end, noun});
}

// ---- Arabic numbers ----

qsizetype NumberReader::readArabic(qsizetype i)
{
    const std::optional<Numeral> first = arabicAt(i, true);
    if (!first)
        return i + 1;
    const QList<Numeral> chain = chainFrom(*first);
    if (chain.isEmpty())
        return first->lastToken + 1;
    const Preposition *preposition = prepositionBefore(*first);
    const qsizetype after = chain.last().lastToken + 1;

    // "с 1941 по 1945 год", "с 5 до 10 часов", "от 1 до 5 лет": the first
    // number is said as the second, in the genitive.
    const QString before = is(first->firstToken - 1, TokenKind::Word) ? folded(first->firstToken - 1) : QString();
    const bool rangeStart = before == u"с" || before == u"со" || before == u"от";
    if (chain.size() == 1 && rangeStart && (isWord(after, u"по") || isWord(after, u"до"))) {
        const std::optional<Numeral> second = arabicAt(nextNumberToken(after + 1), false);
        const QList<Numeral> secondChain = second ? chainFrom(*second) : QList<Numeral>();
        if (secondChain.size() == 1) {
            const std::optional<Reading> reading = readArabicChain(secondChain, prepositionOf(folded(after)));
            if (reading) {
                Reading genitive = *reading;
                genitive.form.grammaticalCase = C::Genitive;
                if (endsAsWritten(wordsOf(first->value, genitive), first->ending))
                    write(*first, genitive, capitalsOf(*first));
            }
            return secondChain.last().lastToken + 1;
        }
    }
    readArabicChain(chain, preposition);
    return after;
}

std::optional<Reading> NumberReader::readArabicChain(const QList<Numeral> &chain, const Preposition *preposition)
{
    const Governing governing = governingAt(chain.last().lastToken + 1, false);
    if (governing.month)
        return readDates(chain, preposition, governing);
    if (governing.noun)
        return readBeforeNoun(chain, preposition, governing);
    return readAfterPreposition(chain, preposition);
}

std::optional<Reading> NumberReader::readDates(const QList<Numeral> &chain, const Preposition *preposition,
                                               const Governing &month)
{
    std::optional<Reading> last;
    for (const Numeral &day : chain) {
        if (day.value < 1 || day.value > 31 || day.grouped)
            return {};
    }
    const C plainCase = dateNamed(chain.first(), month) ? C::Nominative : C::Genitive;
    for (const Numeral &day : chain) {
        ChoiceContext context = choiceContext(day, preposition, nullptr);
        QList<Reading> readings;
        if (day.ending.isEmpty()) {
            C c = plainCase;
            if (preposition) {
                if (!preposition->dateCase)
                    return {};
                c = *preposition->dateCase;
            }
            readings.append({true, {c, WordGender::Neuter}});
        } else {
            for (int c = 0; c < kGrammaticalCaseCount; ++c)
                if (!preposition || preposition->cases.contains(C(c)))
                    readings.append({true, {C(c), WordGender::Neuter}});
            readings = withEnding(readings, day.value, day.ending);
            context.preferredCase = preposition ? preposition->dateCase : std::optional<C>(C::Nominative);
        }
        const std::optional<Reading> reading = chooseReading(readings, context);
        if (reading)
            write(day, *reading, capitalsOf(day));
        last = reading;
    }
    return last;
}

std::optional<Reading> NumberReader::readBeforeNoun(const QList<Numeral> &chain, const Preposition *preposition,
                                                    const Governing &governing)
{
    QList<NounReading> nounReadings = governing.readings;
    if (governing.abbreviation) {
        // "г." after a year, "в." after a Roman numeral only: "5 г" is grams.
        const bool year = governing.noun->uses & Year;
        for (const Numeral &numeral : chain) {
            if (numeral.roman != !year || (year && numeral.value < 1000 && !(preposition && numeral.value >= 100)))
                return {};
        }
        nounReadings = abbreviationReadings(governing.abbreviationPlural, preposition);
    }
    // "в 1871 и в 1872 гг.": the abbreviation counts no years, it names them.
    const qsizetype chainSize = governing.abbreviation ? std::max<qsizetype>(chain.size(), 2) : chain.size();
    const auto readingsOf = [&](const Numeral &numeral, bool last) {
        QList<Reading> readings = agreeingReadings(numeral.value, numeral.roman, !numeral.ending.isEmpty(), last,
                                                   chainSize, *governing.noun, nounReadings, preposition);
        if (governing.abbreviation)
            readings.removeIf([](const Reading &r) { return !r.ordinal; });
        return withEnding(readings, numeral.value, numeral.ending);
    };
    const Numeral &lastNumeral = chain.last();
    const QList<Reading> lastReadings = readingsOf(lastNumeral, true);
    const ChoiceContext lastContext = choiceContext(lastNumeral, preposition, governing.noun);
    const std::optional<Reading> reading = chooseReading(lastReadings, lastContext);
    if (!reading)
        return {};
    for (const Numeral &numeral : chain) {
        if (&numeral == &lastNumeral) {
            write(numeral, *reading, capitalsOf(numeral));
            continue;
        }
        // The others as the last, as far as their own value and ending allow.
        QList<Reading> readings = readingsOf(numeral, false);
        readings.removeIf([&](const Reading &r) {
            return r.ordinal != reading->ordinal || r.form.grammaticalCase != reading->form.grammaticalCase;
        });
        const ChoiceContext context = choiceContext(numeral, preposition, governing.noun);
        if (const std::optional<Reading> own = chooseReading(readings, context))
            write(numeral, *own, capitalsOf(numeral));
    }
    if (governing.abbreviation)
        writeAbbreviation(governing, *reading, preposition);
    return reading;
}

// No noun after the numbers; those with a written ending say what they are
// ("5-й", "в 1990-х", "5-ти"), agreeing with a noun before them when there
// is one ("статьи 1659-й").
std::optional<Reading> NumberReader::readWithEndings(const QList<Numeral> &chain, const Preposition *preposition)
{
    const qsizetype after = chain.last().lastToken + 1;
    const qsizetype before = chain.first().firstToken - 1;
    const NounForm *nounBefore = is(before, TokenKind::Word) ? numberNounForm(folded(before)) : nullptr;
    std::optional<Reading> last;
    for (const Numeral &numeral : chain) {
        if (numeral.ending.isEmpty())
            continue;
        QList<Reading> readings;
        if (nounBefore) {
            for (const NounReading &r : nounBefore->readings)
                if (!r.plural && !r.locative)
                    readings.append({true, {r.grammaticalCase, nounBefore->noun->gender, nounBefore->noun->animate}});
            readings = withEnding(readings, numeral.value, numeral.ending);
        }
        ChoiceContext context = choiceContext(numeral, preposition, readings.isEmpty() ? nullptr : nounBefore->noun);
        if (readings.isEmpty()) {
            readings = withEnding(allReadings(numeral.roman, preposition), numeral.value, numeral.ending);
            context.feminineHint = feminineHint(after);
        }
        last = chooseReading(readings, context);
        if (last)
            write(numeral, *last, capitalsOf(numeral));
    }
    return last;
}

// No noun after the numbers: "с 5 до 10", "около 100", and those with an
// ending.
std::optional<Reading> NumberReader::readAfterPreposition(const QList<Numeral> &chain, const Preposition *preposition)
{
    const qsizetype after = chain.last().lastToken + 1;
    for (const Numeral &numeral : chain)
        if (!numeral.ending.isEmpty())
            return readWithEndings(chain, preposition);
    // A cardinal after a preposition of one case, when the number ends its
    // phrase: the noun it counts would be the one thing that could make it
    // an ordinal. A year-like number with no noun ("до 1812") might be
    // either, and a number ending in one needs the gender of its noun.
    const bool phraseEnds = after >= size() || is(after, TokenKind::LineBreak) || is(after, TokenKind::Markup)
                            || (is(after, TokenKind::Sign)
                                && QStringView(u".,;:!?)»\"“”…–—").contains(m_text.at(m_tokens.at(after).start)));
    if (!preposition || !phraseEnds || !preposition->cases.isSingle())
        return {};
    const C c = preposition->cases.single();
    if (c == C::Nominative || c == C::Accusative)
        return {};
    for (const Numeral &numeral : chain) {
        const bool yearLike = numeral.value >= 1000 && numeral.value <= 2100 && !numeral.grouped;
        const bool endsInOne = numeral.value % 10 == 1 && numeral.value % 100 != 11;
        if (yearLike || endsInOne)
            return {};
    }
    const Reading reading{false, {c, WordGender::Masculine}};
    for (const Numeral &numeral : chain)
        write(numeral, reading, capitalsOf(numeral));
    return reading;
}

// ---- Roman numerals ----

qsizetype NumberReader::readRoman(qsizetype i)
{
    const std::optional<Numeral> first = romanAt(i, true);
    if (!first)
        return i + 1;
    const QList<Numeral> chain = chainFrom(*first);
    if (chain.isEmpty())
        return first->lastToken + 1;
    const qsizetype after = chain.last().lastToken + 1;
    if (readAfterNoun(chain))
        return after;
    const Governing governing = governingAt(after, true);
    if (governing.noun && ((governing.noun->uses & TakesRoman) || governing.abbreviation)) {
        readBeforeNoun(chain, prepositionBefore(*first), governing);
        return after;
    }
    if (readAfterName(chain))
        return after;
    if (chain.size() == 1 && first->latin && first->value <= 100 && first->ending.isEmpty() && aloneOnLine(*first)) {
        write(*first, {true, {C::Nominative, WordGender::Feminine}}, Capitals::First);
        return after;
    }
    // Otherwise only a written ending makes letters a numeral ("XIX-го").
    readWithEndings(chain, prepositionBefore(*first));
    return after;
}

// "Глава II", "в томе IV", "ЧАСТЬ III", "главы II и III".
bool NumberReader::readAfterNoun(const QList<Numeral> &chain)
{
    const qsizetype i = chain.first().firstToken - 1;
    if (!is(i, TokenKind::Word))
        return false;
    const NounForm *form = numberNounForm(folded(i));
    if (!form || !(form->noun->uses & TakesRoman))
        return false;
    const QStringView written = view(i);
    const bool allCaps = written.size() > 1 && written.toString().toUpper() == written;
    for (const Numeral &numeral : chain) {
        QList<Reading> readings;
        for (const NounReading &r : form->readings) {
            if (r.locative)
                continue;
            if (!r.plural)
                readings.append({true, {r.grammaticalCase, form->noun->gender}});
            else if (form->noun->uses & PluralOnly)
                readings.append({true, {r.grammaticalCase, WordGender::Plural}});
            else if (chain.size() > 1)
                readings.append({true, {r.grammaticalCase, form->noun->gender}});
        }
        const ChoiceContext context = choiceContext(numeral, nullptr, form->noun);
        if (const std::optional<Reading> reading =
                chooseReading(withEnding(readings, numeral.value, numeral.ending), context))
            write(numeral, *reading, allCaps ? Capitals::All : Capitals::Lower);
    }
    return true;
}

// "Пётр I", "при Петре I", "Екатерины II", "Людовик XIV".
bool NumberReader::readAfterName(const QList<Numeral> &chain)
{
    const Numeral &numeral = chain.first();
    const qsizetype i = numeral.firstToken - 1;
    if (chain.size() != 1 || !numeral.latin || numeral.value > 40 || !is(i, TokenKind::Word))
        return false;
    QString name;
    for (const QChar c : view(i))
        if (!isStressMark(c))
            name += c;
    bool listed = false;
    const QList<NameReading> names = rulerNameReadings(name, &listed);
    // An unlisted name with a one-letter numeral ("Фактор X", "Малкольм X")
    // is more likely something else.
    if (names.isEmpty() || (!listed && view(numeral.firstToken).size() == 1))
        return false;
    QList<Reading> readings;
    for (const NameReading &r : names)
        readings.append({true, {r.grammaticalCase, r.gender, true}});
    const ChoiceContext context = choiceContext(numeral, nullptr, nullptr);
    const std::optional<Reading> reading = chooseReading(withEnding(readings, numeral.value, numeral.ending), context);
    if (!reading)
        return false;
    write(numeral, *reading, Capitals::First);
    return true;
}

void NumberReader::read()
{
    for (qsizetype i = 0; i < size();) {
        const TextToken &token = m_tokens.at(i);
        if (token.kind == TokenKind::Number)
            i = readArabic(i);
        else if (token.kind == TokenKind::Word && mayStartRomanNumeral(m_text.at(token.start)))
            i = readRoman(i);
        else
            ++i;
    }
}

} // namespace

QString numbersInRussianWords(const QString &text)
{
    QList<Replacement> replacements;
    for (const TextStretch &line : linesWithNumbers(text))
        NumberReader(text, line, replacements).read();
    if (replacements.isEmpty())
        return text;
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement &a, const Replacement &b) { return a.start < b.start; });
    QString out;
    out.reserve(text.size() + replacements.size() * 16);
    qsizetype copied = 0;
    for (const Replacement &r : std::as_const(replacements)) {
        if (r.start < copied)
            continue; // never two rewrites of one stretch
        out += QStringView(text).mid(copied, r.start - copied);
        out += r.text;
        copied = r.end;
    }
    out += QStringView(text).mid(copied);
    return out;
}
