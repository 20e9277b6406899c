#include "stress/number_reader.h"

#include "stress/protected_text.h"
#include "stress/roman_numerals.h"
#include "stress/russian_letters.h"

namespace {

using C = GrammaticalCase;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
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

} // namespace

ChoiceContext choiceContext(const Numeral &numeral, const Preposition *preposition, const NumberNoun *noun)
{
    ChoiceContext context;
    context.value = numeral.value;
    context.ending = numeral.ending;
    context.preposition = preposition;
    context.noun = noun;
    return context;
}

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
    // "класса C", "группы D", "категории M": one of these letters alone is a
    // letter; no chapter or century is numbered 50, 100, 500 or 1000.
    const bool letter = word.size() == 1 && numeral.value >= 50;
    if (numeral.value == 0 || letter || !readEnding(numeral) || (checkBefore && !freeBefore(numeral))
        || !freeAfter(numeral))
        return {};
    return numeral;
}

// "5-й", "1990-х", "XIX-го": a hyphen and up to four Russian letters; "5-летний"
// and "2-комнатная" are words of their own and make the number no number here.
bool NumberReader::readEnding(Numeral &numeral, bool blankBeforeHyphen) const
{
    const qsizetype k = numeral.lastToken;
    if (!isSign(k + 1, u'-') || !(blankBeforeHyphen || adjacent(k, k + 1)) || !is(k + 2, TokenKind::Word)
        || !adjacent(k + 1, k + 2))
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

const Preposition *NumberReader::prepositionBefore(const Numeral &first) const
{
    const qsizetype i = first.firstToken - 1;
    return is(i, TokenKind::Word) ? prepositionOf(folded(i)) : nullptr;
}

GoverningWord NumberReader::governingAt(qsizetype i, bool throughAdjective) const
{
    GoverningWord governing;
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

void NumberReader::write(const Numeral &numeral, const NumberReading &reading, Capitals capitals)
{
    const QString words = wordsOf(numeral.value, reading);
    if (words.isEmpty())
        return;
    const bool asTheVoiceSaysIt =
        !reading.ordinal && numeral.ending.isEmpty() && !numeral.grouped && words == cardinalInWords(numeral.value, {});
    if (asTheVoiceSaysIt)
        return;
    m_rewrites.append(
        {m_tokens.at(numeral.firstToken).start, m_tokens.at(numeral.lastToken).end, withCapitals(words, capitals)});
}

// "в 1812 г." -> "в ... году", "XIX в." -> "... века". The full stop stays
// only at the end of a line: a capital after it is more often a name ("в
// 1872 г. Толстой читал") than a new sentence.
void NumberReader::writeAbbreviation(const GoverningWord &governing, const NumberReading &reading,
                                     const Preposition *preposition)
{
    const qsizetype word = governing.token;
    const qsizetype dot = word + 1;
    const bool locative = preposition && preposition->takesLocative;
    QString noun = governing.noun->form(reading.form.grammaticalCase, governing.abbreviationPlural, locative);
    const qsizetype after = dot + 1;
    const bool sentenceEnds = after >= size() || is(after, TokenKind::LineBreak) || is(after, TokenKind::Markup);
    if (sentenceEnds)
        noun += u'.';
    m_rewrites.append({m_tokens.at(word).start, m_tokens.at(dot).end, noun});
}

void NumberReader::read()
{
    for (qsizetype i = 0; i < size();) {
        const TextToken &token = m_tokens.at(i);
        if (token.kind == TokenKind::Number)
            i = readArabic(i);
        else if (token.kind == TokenKind::Word && view(i) == u"две")
            i = readSpelledTwoThousand(i);
        else if (token.kind == TokenKind::Word && mayStartRomanNumeral(m_text.at(token.start)))
            i = readRoman(i);
        else
            ++i;
    }
}
