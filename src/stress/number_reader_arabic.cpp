// The rules for Arabic numbers: by the noun after them ("в 1812 году",
// "около 100 человек"), the month ("5 мая"), a range ("с 5 до 10 часов"),
// a preposition of one case ("около 100"), or a written ending ("5-й").

#include "stress/number_reader.h"

using C = GrammaticalCase;

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
            const std::optional<NumberReading> reading = readArabicChain(secondChain, prepositionOf(folded(after)));
            // A cardinal one needs the gender of a noun ("от одной до пяти книг").
            const bool endsInOne = first->value % 10 == 1 && first->value % 100 != 11;
            const bool gendered =
                reading
                && (!endsInOne || reading->ordinal || governingAt(secondChain.last().lastToken + 1, false).noun);
            if (gendered) {
                NumberReading genitive = *reading;
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

std::optional<NumberReading> NumberReader::readArabicChain(const QList<Numeral> &chain, const Preposition *preposition)
{
    const GoverningWord governing = governingAt(chain.last().lastToken + 1, false);
    if (governing.month)
        return readDates(chain, preposition, governing);
    if (governing.noun)
        return readBeforeNoun(chain, preposition, governing);
    return readAfterPreposition(chain, preposition);
}

std::optional<NumberReading> NumberReader::readDates(const QList<Numeral> &chain, const Preposition *preposition,
                                                     const GoverningWord &month)
{
    std::optional<NumberReading> last;
    for (const Numeral &day : chain) {
        if (day.value < 1 || day.value > 31 || day.grouped)
            return {};
    }
    const C plainCase = dateNamed(chain.first(), month) ? C::Nominative : C::Genitive;
    for (const Numeral &day : chain) {
        ChoiceContext context = choiceContext(day, preposition, nullptr);
        QList<NumberReading> readings;
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
        const std::optional<NumberReading> reading = chooseReading(readings, context);
        if (reading)
            write(day, *reading, capitalsOf(day));
        last = reading;
    }
    return last;
}

std::optional<NumberReading> NumberReader::readBeforeNoun(const QList<Numeral> &chain, const Preposition *preposition,
                                                          const GoverningWord &governing)
{
    QList<NounReading> nounReadings = governing.readings;
    if (governing.abbreviation) {
        // "г." after a year, "в." after a Roman numeral only: "5 г" is grams.
        const bool year = governing.noun->uses & Year;
        for (const Numeral &numeral : chain) {
            const bool fits = year ? !numeral.roman && (numeral.value >= 1000 || (preposition && numeral.value >= 100))
                                   : numeral.roman;
            if (!fits)
                return {};
        }
        nounReadings = abbreviationReadings(governing.abbreviationPlural, preposition);
    }
    // "в 1871 и в 1872 гг.": the abbreviation counts no years, it names them.
    const qsizetype chainSize = governing.abbreviation ? std::max<qsizetype>(chain.size(), 2) : chain.size();
    const auto readingsOf = [&](const Numeral &numeral, bool last) {
        QList<NumberReading> readings = agreeingReadings(numeral.value, numeral.roman, !numeral.ending.isEmpty(), last,
                                                         chainSize, *governing.noun, nounReadings, preposition);
        if (governing.abbreviation)
            readings.removeIf([](const NumberReading &r) { return !r.ordinal; });
        return withEnding(readings, numeral.value, numeral.ending);
    };
    const Numeral &lastNumeral = chain.last();
    const QList<NumberReading> lastReadings = readingsOf(lastNumeral, true);
    const ChoiceContext lastContext = choiceContext(lastNumeral, preposition, governing.noun);
    const std::optional<NumberReading> reading = chooseReading(lastReadings, lastContext);
    if (!reading)
        return {};
    for (const Numeral &numeral : chain) {
        if (&numeral == &lastNumeral) {
            write(numeral, *reading, capitalsOf(numeral));
            continue;
        }
        // The others as the last, as far as their own value and ending allow.
        QList<NumberReading> readings = readingsOf(numeral, false);
        readings.removeIf([&](const NumberReading &r) {
            return r.ordinal != reading->ordinal || r.form.grammaticalCase != reading->form.grammaticalCase;
        });
        const ChoiceContext context = choiceContext(numeral, preposition, governing.noun);
        if (const std::optional<NumberReading> own = chooseReading(readings, context))
            write(numeral, *own, capitalsOf(numeral));
    }
    if (governing.abbreviation)
        writeAbbreviation(governing, *reading, preposition);
    return reading;
}

// No noun after the numbers; those with a written ending say what they are
// ("5-й", "в 1990-х", "5-ти"), agreeing with a noun before them when there
// is one ("статьи 1659-й").
std::optional<NumberReading> NumberReader::readWithEndings(const QList<Numeral> &chain, const Preposition *preposition)
{
    const qsizetype after = chain.last().lastToken + 1;
    const qsizetype before = chain.first().firstToken - 1;
    const NounForm *nounBefore = is(before, TokenKind::Word) ? numberNounForm(folded(before)) : nullptr;
    std::optional<NumberReading> last;
    for (const Numeral &numeral : chain) {
        if (numeral.ending.isEmpty())
            continue;
        QList<NumberReading> readings;
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
std::optional<NumberReading> NumberReader::readAfterPreposition(const QList<Numeral> &chain,
                                                                const Preposition *preposition)
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
    const NumberReading reading{false, {c, WordGender::Masculine}};
    for (const Numeral &numeral : chain)
        write(numeral, reading, capitalsOf(numeral));
    return reading;
}

// A date with no preposition is said in the genitive when it tells when
// something happened ("сообщил 28 декабря", "5 мая 1812 года Наполеон"),
// in the nominative when it names the day: on a line of its own or after a
// place ("Москва, 17 ноября."), after "сегодня" and the like, or before a
// dash ("5 мая — день...").
bool NumberReader::dateNamed(const Numeral &day, const GoverningWord &month) const
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

// The years option writes 2000 as "две тысячи" with no digits after it: "в
// две тысячи году", "около две тысячи лет", "в две тысячи -х годах". Before
// a noun it is read as the digits would be: a text that wrote the words
// itself has them in the case its noun wants, which leaves them as they are
// ("две тысячи лет", "на две тысячи рублей").
qsizetype NumberReader::readSpelledTwoThousand(qsizetype i)
{
    if (!is(i + 1, TokenKind::Word) || view(i + 1) != u"тысячи" || is(i + 2, TokenKind::Number))
        return i + 1;
    Numeral numeral;
    numeral.firstToken = i;
    numeral.lastToken = i + 1;
    numeral.value = 2000;
    if (!readEnding(numeral, true))
        return i + 1;
    const GoverningWord governing = governingAt(numeral.lastToken + 1, false);
    if (governing.noun)
        readBeforeNoun({numeral}, prepositionBefore(numeral), governing);
    return numeral.lastToken + 1;
}
