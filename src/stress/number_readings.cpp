#include "stress/number_readings.h"

namespace {

using C = GrammaticalCase;

bool isOblique(C c)
{
    return c != C::Nominative && c != C::Accusative;
}

bool allows(const Preposition *preposition, C c)
{
    return !preposition || preposition->cases.contains(c);
}

// The form of the noun a cardinal in case `c` wants: "один год", "два
// года", "пять лет"; in the oblique cases the plural of that case, after a
// one the singular.
NounReading countedNounReading(qint64 value, C c)
{
    const qint64 last = value % 10;
    const qint64 lastTwo = value % 100;
    const bool one = last == 1 && lastTwo != 11;
    const bool few = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
    if (isOblique(c) || one)
        return {c, !one, false};
    return {C::Genitive, !few, false};
}

// The ordinals that agree with one reading of the noun after them.
void appendOrdinals(QList<NumberReading> &readings, const NumberNoun &noun, const NounReading &r, bool writtenEnding,
                    qsizetype chainSize)
{
    const C c = r.grammaticalCase;
    if (!r.plural) {
        readings.append({true, {c, noun.gender, noun.animate}});
    } else if (noun.uses & PluralOnly) {
        readings.append({true, {c, WordGender::Plural, noun.animate}});
    } else {
        if (writtenEnding) // "90-е годы", "в 1920-х и 1930-х годах"
            readings.append({true, {c, WordGender::Plural, noun.animate}});
        if (chainSize > 1 && (noun.uses & (Numbered | TakesRoman))) // "в XV–XVI веках"
            readings.append({true, {c, noun.gender, noun.animate}});
    }
}

bool sameWords(const QList<NumberReading> &readings, qint64 value)
{
    const QString first = wordsOf(value, readings.first());
    for (const NumberReading &r : readings)
        if (wordsOf(value, r) != first)
            return false;
    return true;
}

// Keeps the readings `wanted` accepts, unless it accepts none.
template <typename Predicate> void preferReadings(QList<NumberReading> &readings, Predicate wanted)
{
    QList<NumberReading> kept;
    for (const NumberReading &r : std::as_const(readings))
        if (wanted(r))
            kept.append(r);
    if (!kept.isEmpty())
        readings = kept;
}

// When both an ordinal and a cardinal agree with everything around: which
// to say, or nothing when neither is the usual one.
std::optional<bool> ordinalPreferred(const QList<NumberReading> &readings, const ChoiceContext &context)
{
    const qint64 value = context.value;
    if (!context.ending.isEmpty()) {
        if (context.ending == u"х") // "2-х" двух, but "1990-х" девяностых
            return value >= 100;
        if (context.ending == u"ми") // "7-ми" семи
            return false;
        if (context.ending == u"ю") // "с 5-ю" пятью, "на 5-ю" пятую
            return !(context.preposition && context.preposition->cases.contains(C::Instrumental));
        return true;
    }
    if (!context.noun)
        return false;
    const unsigned uses = context.noun->uses;
    if (uses & Year) // "1941 год", "1942 года"; but "до 21 года" is as often an age as a year
        return value >= 1000 ? std::optional<bool>(true) : std::nullopt;
    // Both in an oblique case: "в 21 веке", "на 1 этаже" (a cardinal there
    // takes the singular too: "в двадцати одном веке").
    bool obliqueOrdinal = false;
    bool obliqueCardinal = false;
    for (const NumberReading &r : readings) {
        const bool oblique = isOblique(r.form.grammaticalCase);
        obliqueOrdinal = obliqueOrdinal || (r.ordinal && oblique);
        obliqueCardinal = obliqueCardinal || (!r.ordinal && oblique);
    }
    if ((uses & Numbered) && obliqueOrdinal && obliqueCardinal)
        return true;
    return (uses & TakesRoman) && value % 10 == 1 && value % 100 != 11; // "21 век"
}

} // namespace

QString wordsOf(qint64 value, const NumberReading &reading)
{
    return reading.ordinal ? ordinalInWords(value, reading.form) : cardinalInWords(value, reading.form);
}

bool endsAsWritten(const QString &words, const QString &ending)
{
    if (ending.isEmpty())
        return true;
    QString plain = words.right(ending.size());
    plain.replace(u'ё', u'е');
    return plain == ending;
}

QList<NumberReading> withEnding(const QList<NumberReading> &readings, qint64 value, const QString &ending)
{
    if (ending.isEmpty())
        return readings;
    QList<NumberReading> kept;
    for (const NumberReading &r : readings)
        if (endsAsWritten(wordsOf(value, r), ending))
            kept.append(r);
    return kept;
}

QList<NumberReading> agreeingReadings(qint64 value, bool roman, bool writtenEnding, bool lastOfChain,
                                      qsizetype chainSize, const NumberNoun &noun,
                                      const QList<NounReading> &nounReadings, const Preposition *preposition)
{
    QList<NumberReading> readings;
    const bool counted = !roman && !(noun.uses & PluralOnly);
    for (const NounReading &r : nounReadings) {
        const C c = r.grammaticalCase;
        if (r.locative && !(preposition && preposition->takesLocative))
            continue;
        // An ordinal takes the noun's case, which the preposition must govern;
        // a cardinal's noun is in the genitive after "два", "пять" whatever
        // case the cardinal is in.
        if (allows(preposition, c))
            appendOrdinals(readings, noun, r, writtenEnding, chainSize);
        if (!counted || r.locative)
            continue;
        for (int k = 0; k < kGrammaticalCaseCount; ++k) {
            const C cardinalCase = C(k);
            if (!allows(preposition, cardinalCase))
                continue;
            bool agrees;
            if (lastOfChain) {
                const NounReading wanted = countedNounReading(value, cardinalCase);
                agrees = wanted.grammaticalCase == c && wanted.plural == r.plural;
            } else {
                agrees = isOblique(cardinalCase) ? c == cardinalCase : c == C::Genitive;
            }
            if (agrees)
                readings.append({false, {cardinalCase, noun.gender, noun.animate}});
        }
    }
    return readings;
}

QList<NounReading> abbreviationReadings(bool plural, const Preposition *preposition)
{
    if (!preposition)
        return {{C::Genitive, plural, false}};
    if (preposition->takesLocative)
        return {{C::Prepositional, plural, false}};
    QList<NounReading> readings;
    for (int c = 0; c < kGrammaticalCaseCount; ++c)
        if (preposition->cases.contains(C(c)))
            readings.append({C(c), plural, false});
    return readings;
}

QList<NumberReading> allReadings(bool roman, const Preposition *preposition)
{
    QList<NumberReading> readings;
    for (int c = 0; c < kGrammaticalCaseCount; ++c) {
        if (!allows(preposition, C(c)))
            continue;
        for (const WordGender g : {WordGender::Masculine, WordGender::Feminine, WordGender::Neuter, WordGender::Plural})
            readings.append({true, {C(c), g}});
        if (!roman)
            readings.append({false, {C(c), WordGender::Masculine}});
    }
    return readings;
}

std::optional<NumberReading> chooseReading(QList<NumberReading> readings, const ChoiceContext &context)
{
    if (readings.isEmpty())
        return {};
    const qint64 value = context.value;
    if (sameWords(readings, value))
        return readings.first();
    bool ordinals = false;
    bool cardinals = false;
    for (const NumberReading &r : std::as_const(readings)) {
        ordinals = ordinals || r.ordinal;
        cardinals = cardinals || !r.ordinal;
    }
    if (ordinals && cardinals) {
        const std::optional<bool> ordinal = ordinalPreferred(readings, context);
        if (!ordinal)
            return {};
        preferReadings(readings, [&](const NumberReading &r) { return r.ordinal == *ordinal; });
        if (sameWords(readings, value))
            return readings.first();
    }
    const Preposition *preposition = context.preposition;
    if (readings.first().ordinal && context.feminineHint && !context.ending.isEmpty()) {
        // "5-й роты" пятой, "5-й полк" пятый
        const bool feminine = *context.feminineHint;
        preferReadings(readings, [&](const NumberReading &r) {
            return feminine ? r.form.gender == WordGender::Feminine && isOblique(r.form.grammaticalCase)
                            : r.form.gender == WordGender::Masculine && !isOblique(r.form.grammaticalCase);
        });
    }
    if (context.preferredCase)
        preferReadings(readings,
                       [&](const NumberReading &r) { return r.form.grammaticalCase == *context.preferredCase; });
    if (!preposition)
        preferReadings(readings, [](const NumberReading &r) { return r.form.grammaticalCase == C::Nominative; });
    if (readings.first().ordinal && context.ending == u"м") {
        // "в 1812-м" двенадцатом, "стал 5-м" пятым
        const C c = preposition && preposition->cases.contains(C::Prepositional) ? C::Prepositional : C::Instrumental;
        preferReadings(readings, [&](const NumberReading &r) { return r.form.grammaticalCase == c; });
    }
    if (readings.first().ordinal && !context.noun && !sameWords(readings, value)) {
        // No noun: "5-й" пятый, "5-е" пятое, "90-е" девяностые.
        const bool decade = context.ending == u"е" && value % 10 == 0;
        const WordGender order[] = {decade ? WordGender::Plural : WordGender::Masculine, WordGender::Masculine,
                                    WordGender::Neuter, WordGender::Feminine, WordGender::Plural};
        for (const WordGender g : order) {
            QList<NumberReading> ofGender;
            for (const NumberReading &r : std::as_const(readings))
                if (r.form.gender == g)
                    ofGender.append(r);
            if (!ofGender.isEmpty()) {
                readings = ofGender;
                break;
            }
        }
    }
    if (sameWords(readings, value))
        return readings.first();
    return {};
}
