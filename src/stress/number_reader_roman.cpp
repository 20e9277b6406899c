// The rules for Roman numerals: after the nouns that take them ("Глава
// II"), before them ("в XIX веке"), after a ruler's name ("Пётр I"), alone
// on a heading line, or with a written ending ("XIX-го"). Anywhere else
// Latin capitals are letters or words and stay as written.

#include "stress/number_reader.h"

#include "stress/protected_text.h"
#include "stress/ruler_names.h"

using C = GrammaticalCase;

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
    const GoverningWord governing = governingAt(after, true);
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
        QList<NumberReading> readings;
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
        if (const std::optional<NumberReading> reading =
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
    QList<NumberReading> readings;
    for (const NameReading &r : names)
        readings.append({true, {r.grammaticalCase, r.gender, true}});
    const ChoiceContext context = choiceContext(numeral, nullptr, nullptr);
    const std::optional<NumberReading> reading =
        chooseReading(withEnding(readings, numeral.value, numeral.ending), context);
    if (!reading)
        return false;
    write(numeral, *reading, Capitals::First);
    return true;
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
