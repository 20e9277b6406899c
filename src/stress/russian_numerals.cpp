#include "stress/russian_numerals.h"

#include <QStringList>

#include <array>

namespace {

using Declension = std::array<const char16_t *, kGrammaticalCaseCount>; // Nom, Gen, Dat, Acc, Ins, Prep

int caseIndex(GrammaticalCase c)
{
    return static_cast<int>(c);
}

// ---- cardinals ----

const Declension kZero = {u"ноль", u"ноля", u"нолю", u"ноль", u"нолём", u"ноле"};
const Declension kOneMasculine = {u"один", u"одного", u"одному", u"один", u"одним", u"одном"};
const Declension kOneFeminine = {u"одна", u"одной", u"одной", u"одну", u"одной", u"одной"};
const Declension kOneNeuter = {u"одно", u"одного", u"одному", u"одно", u"одним", u"одном"};
const Declension kOnePlural = {u"одни", u"одних", u"одним", u"одни", u"одними", u"одних"};
const Declension kTwo = {u"два", u"двух", u"двум", u"два", u"двумя", u"двух"};
const Declension kTwoFeminine = {u"две", u"двух", u"двум", u"две", u"двумя", u"двух"};

// 3..19 (0..2 unused).
const std::array<Declension, 20> kUnits = {{
    {},
    {},
    {},
    {u"три", u"трёх", u"трём", u"три", u"тремя", u"трёх"},
    {u"четыре", u"четырёх", u"четырём", u"четыре", u"четырьмя", u"четырёх"},
    {u"пять", u"пяти", u"пяти", u"пять", u"пятью", u"пяти"},
    {u"шесть", u"шести", u"шести", u"шесть", u"шестью", u"шести"},
    {u"семь", u"семи", u"семи", u"семь", u"семью", u"семи"},
    {u"восемь", u"восьми", u"восьми", u"восемь", u"восемью", u"восьми"},
    {u"девять", u"девяти", u"девяти", u"девять", u"девятью", u"девяти"},
    {u"десять", u"десяти", u"десяти", u"десять", u"десятью", u"десяти"},
    {u"одиннадцать", u"одиннадцати", u"одиннадцати", u"одиннадцать", u"одиннадцатью", u"одиннадцати"},
    {u"двенадцать", u"двенадцати", u"двенадцати", u"двенадцать", u"двенадцатью", u"двенадцати"},
    {u"тринадцать", u"тринадцати", u"тринадцати", u"тринадцать", u"тринадцатью", u"тринадцати"},
    {u"четырнадцать", u"четырнадцати", u"четырнадцати", u"четырнадцать", u"четырнадцатью", u"четырнадцати"},
    {u"пятнадцать", u"пятнадцати", u"пятнадцати", u"пятнадцать", u"пятнадцатью", u"пятнадцати"},
    {u"шестнадцать", u"шестнадцати", u"шестнадцати", u"шестнадцать", u"шестнадцатью", u"шестнадцати"},
    {u"семнадцать", u"семнадцати", u"семнадцати", u"семнадцать", u"семнадцатью", u"семнадцати"},
    {u"восемнадцать", u"восемнадцати", u"восемнадцати", u"восемнадцать", u"восемнадцатью", u"восемнадцати"},
    {u"девятнадцать", u"девятнадцати", u"девятнадцати", u"девятнадцать", u"девятнадцатью", u"девятнадцати"},
}};

// 20..90 by tens (0 and 1 unused).
const std::array<Declension, 10> kTens = {{
    {},
    {},
    {u"двадцать", u"двадцати", u"двадцати", u"двадцать", u"двадцатью", u"двадцати"},
    {u"тридцать", u"тридцати", u"тридцати", u"тридцать", u"тридцатью", u"тридцати"},
    {u"сорок", u"сорока", u"сорока", u"сорок", u"сорока", u"сорока"},
    {u"пятьдесят", u"пятидесяти", u"пятидесяти", u"пятьдесят", u"пятьюдесятью", u"пятидесяти"},
    {u"шестьдесят", u"шестидесяти", u"шестидесяти", u"шестьдесят", u"шестьюдесятью", u"шестидесяти"},
    {u"семьдесят", u"семидесяти", u"семидесяти", u"семьдесят", u"семьюдесятью", u"семидесяти"},
    {u"восемьдесят", u"восьмидесяти", u"восьмидесяти", u"восемьдесят", u"восемьюдесятью", u"восьмидесяти"},
    {u"девяносто", u"девяноста", u"девяноста", u"девяносто", u"девяноста", u"девяноста"},
}};

// 100..900 (0 unused).
const std::array<Declension, 10> kHundreds = {{
    {},
    {u"сто", u"ста", u"ста", u"сто", u"ста", u"ста"},
    {u"двести", u"двухсот", u"двумстам", u"двести", u"двумястами", u"двухстах"},
    {u"триста", u"трёхсот", u"трёмстам", u"триста", u"тремястами", u"трёхстах"},
    {u"четыреста", u"четырёхсот", u"четырёмстам", u"четыреста", u"четырьмястами", u"четырёхстах"},
    {u"пятьсот", u"пятисот", u"пятистам", u"пятьсот", u"пятьюстами", u"пятистах"},
    {u"шестьсот", u"шестисот", u"шестистам", u"шестьсот", u"шестьюстами", u"шестистах"},
    {u"семьсот", u"семисот", u"семистам", u"семьсот", u"семьюстами", u"семистах"},
    {u"восемьсот", u"восьмисот", u"восьмистам", u"восемьсот", u"восемьюстами", u"восьмистах"},
    {u"девятьсот", u"девятисот", u"девятистам", u"девятьсот", u"девятьюстами", u"девятистах"},
}};

// The nouns that count thousands and millions, singular and plural.
const Declension kThousandSingular = {u"тысяча", u"тысячи", u"тысяче", u"тысячу", u"тысячей", u"тысяче"};
const Declension kThousandPlural = {u"тысячи", u"тысяч", u"тысячам", u"тысячи", u"тысячами", u"тысячах"};
const Declension kMillionSingular = {u"миллион", u"миллиона", u"миллиону", u"миллион", u"миллионом", u"миллионе"};
const Declension kMillionPlural = {u"миллионы", u"миллионов", u"миллионам", u"миллионы", u"миллионами", u"миллионах"};

QString word(const Declension &declension, GrammaticalCase c)
{
    return QString::fromUtf16(declension[caseIndex(c)]);
}

bool isOblique(GrammaticalCase c)
{
    return c != GrammaticalCase::Nominative && c != GrammaticalCase::Accusative;
}

// The form of the noun a cardinal counts: "одна тысяча", "две тысячи",
// "пять тысяч"; in the other cases the noun takes the case in the plural
// ("двух тысяч", "пятью тысячами"), after a one in the singular.
QString countedNoun(qint64 count, GrammaticalCase c, const Declension &singular, const Declension &plural)
{
    const qint64 lastTwo = count % 100;
    const qint64 last = count % 10;
    const bool one = last == 1 && lastTwo != 11;
    const bool few = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
    if (isOblique(c))
        return one ? word(singular, c) : word(plural, c);
    if (one)
        return word(singular, c);
    return few ? word(singular, GrammaticalCase::Genitive) : word(plural, GrammaticalCase::Genitive);
}

// 1..999 into `words`. `alone` says that nothing follows the number's last
// group and nothing came before, for the animate accusative of 2..4
// ("вижу двух", but "вижу двадцать два").
void appendBelowThousand(qint64 number, NumeralForm form, bool alone, QStringList &words)
{
    GrammaticalCase c = form.grammaticalCase;
    if (number >= 100)
        words += word(kHundreds[number / 100], c);
    const qint64 rest = number % 100;
    if (rest >= 20)
        words += word(kTens[rest / 10], c);
    const qint64 unit = rest >= 20 ? rest % 10 : rest;
    if (unit == 0)
        return;
    const bool animateAccusative = form.animate && c == GrammaticalCase::Accusative;
    if (unit == 1) {
        if (animateAccusative && form.gender != WordGender::Feminine && form.gender != WordGender::Neuter)
            c = GrammaticalCase::Genitive;
        switch (form.gender) {
        case WordGender::Masculine: words += word(kOneMasculine, c); break;
        case WordGender::Feminine: words += word(kOneFeminine, c); break;
        case WordGender::Neuter: words += word(kOneNeuter, c); break;
        case WordGender::Plural: words += word(kOnePlural, c); break;
        }
        return;
    }
    if (unit <= 4 && animateAccusative && alone && number == unit)
        c = GrammaticalCase::Genitive;
    if (unit == 2)
        words += word(form.gender == WordGender::Feminine ? kTwoFeminine : kTwo, c);
    else
        words += word(kUnits[unit], c);
}

// ---- ordinals ----

// How the ending of an ordinal goes: пятый (hard), второй (stressed ending),
// третий (its own soft declension).
enum class OrdinalType { Hard, StressedEnding, Third };

struct OrdinalStem
{
    const char16_t *stem;
    OrdinalType type;
};

const std::array<OrdinalStem, 20> kUnitOrdinals = {{
    {u"нулев", OrdinalType::StressedEnding}, {u"перв", OrdinalType::Hard},
    {u"втор", OrdinalType::StressedEnding},  {u"трет", OrdinalType::Third},
    {u"четвёрт", OrdinalType::Hard},         {u"пят", OrdinalType::Hard},
    {u"шест", OrdinalType::StressedEnding},  {u"седьм", OrdinalType::StressedEnding},
    {u"восьм", OrdinalType::StressedEnding}, {u"девят", OrdinalType::Hard},
    {u"десят", OrdinalType::Hard},           {u"одиннадцат", OrdinalType::Hard},
    {u"двенадцат", OrdinalType::Hard},       {u"тринадцат", OrdinalType::Hard},
    {u"четырнадцат", OrdinalType::Hard},     {u"пятнадцат", OrdinalType::Hard},
    {u"шестнадцат", OrdinalType::Hard},      {u"семнадцат", OrdinalType::Hard},
    {u"восемнадцат", OrdinalType::Hard},     {u"девятнадцат", OrdinalType::Hard},
}};

const std::array<OrdinalStem, 10> kTenOrdinals = {{
    {},
    {},
    {u"двадцат", OrdinalType::Hard},
    {u"тридцат", OrdinalType::Hard},
    {u"сороков", OrdinalType::StressedEnding},
    {u"пятидесят", OrdinalType::Hard},
    {u"шестидесят", OrdinalType::Hard},
    {u"семидесят", OrdinalType::Hard},
    {u"восьмидесят", OrdinalType::Hard},
    {u"девяност", OrdinalType::Hard},
}};

const std::array<const char16_t *, 10> kHundredOrdinalStems = {nullptr,       u"сот",      u"двухсот",  u"трёхсот",
                                                               u"четырёхсот", u"пятисот",  u"шестисот", u"семисот",
                                                               u"восьмисот",  u"девятисот"};

using EndingsByCase = Declension;
// Masculine, feminine, neuter, plural; the accusative of the masculine and
// plural is left empty: it is the nominative or, when animate, the genitive.
const std::array<EndingsByCase, 4> kHardEndings = {{
    {u"ый", u"ого", u"ому", nullptr, u"ым", u"ом"},
    {u"ая", u"ой", u"ой", u"ую", u"ой", u"ой"},
    {u"ое", u"ого", u"ому", u"ое", u"ым", u"ом"},
    {u"ые", u"ых", u"ым", nullptr, u"ыми", u"ых"},
}};
const std::array<EndingsByCase, 4> kThirdEndings = {{
    {u"ий", u"ьего", u"ьему", nullptr, u"ьим", u"ьем"},
    {u"ья", u"ьей", u"ьей", u"ью", u"ьей", u"ьей"},
    {u"ье", u"ьего", u"ьему", u"ье", u"ьим", u"ьем"},
    {u"ьи", u"ьих", u"ьим", nullptr, u"ьими", u"ьих"},
}};

QString ordinalEnding(OrdinalType type, NumeralForm form)
{
    GrammaticalCase c = form.grammaticalCase;
    const int gender = static_cast<int>(form.gender);
    if (c == GrammaticalCase::Accusative && (form.gender == WordGender::Masculine || form.gender == WordGender::Plural))
        c = form.animate ? GrammaticalCase::Genitive : GrammaticalCase::Nominative;
    if (type == OrdinalType::StressedEnding && form.gender == WordGender::Masculine && c == GrammaticalCase::Nominative)
        return QStringLiteral("ой");
    const auto &endings = type == OrdinalType::Third ? kThirdEndings : kHardEndings;
    return QString::fromUtf16(endings[gender][caseIndex(c)]);
}

// The first part of "двухтысячный", "двадцатиоднотысячный", "стомиллионный":
// the count of thousands or millions in the genitive, written as one word.
QString compoundCount(qint64 count)
{
    if (count == 1)
        return {};
    QString result;
    const qint64 hundreds = count / 100;
    if (hundreds == 1)
        result += u"сто";
    else if (hundreds > 1)
        result += word(kHundreds[hundreds], GrammaticalCase::Genitive);
    const qint64 rest = count % 100;
    const qint64 unit = rest >= 20 ? rest % 10 : rest;
    if (rest >= 20)
        result += rest / 10 == 9 ? QStringLiteral("девяносто") : word(kTens[rest / 10], GrammaticalCase::Genitive);
    if (unit == 1)
        result += u"одно";
    else if (unit == 2)
        result += u"двух";
    else if (unit > 2)
        result += word(kUnits[unit], GrammaticalCase::Genitive);
    return result;
}

} // namespace

QString cardinalInWords(qint64 number, NumeralForm form)
{
    if (number < 0 || number > kLargestNumberInWords)
        return {};
    const GrammaticalCase c = form.grammaticalCase;
    if (number == 0)
        return word(kZero, c);
    QStringList words;
    const qint64 millions = number / 1'000'000;
    const qint64 thousands = number / 1000 % 1000;
    const qint64 rest = number % 1000;
    if (millions > 0) {
        if (millions > 1)
            appendBelowThousand(millions, {c, WordGender::Masculine}, false, words);
        words += countedNoun(millions, c, kMillionSingular, kMillionPlural);
    }
    if (thousands > 0) {
        if (thousands > 1 || millions > 0)
            appendBelowThousand(thousands, {c, WordGender::Feminine}, false, words);
        words += countedNoun(thousands, c, kThousandSingular, kThousandPlural);
    }
    if (rest > 0)
        appendBelowThousand(rest, form, number == rest, words);
    return words.join(u' ');
}

QString ordinalInWords(qint64 number, NumeralForm form)
{
    if (number < 0 || number > kLargestNumberInWords)
        return {};
    QString stem;
    OrdinalType type = OrdinalType::Hard;
    qint64 head = 0; // the part said as a cardinal before the ordinal word
    if (number == 0) {
        stem = QString::fromUtf16(kUnitOrdinals[0].stem);
        type = kUnitOrdinals[0].type;
    } else if (number % 1'000'000 == 0) {
        stem = compoundCount(number / 1'000'000) + QString::fromUtf16(u"миллионн");
    } else if (number % 1000 == 0) {
        head = number / 1'000'000 * 1'000'000;
        stem = compoundCount(number / 1000 % 1000) + QString::fromUtf16(u"тысячн");
    } else if (number % 100 == 0) {
        head = number / 1000 * 1000;
        stem = QString::fromUtf16(kHundredOrdinalStems[number / 100 % 10]);
    } else {
        const qint64 rest = number % 100;
        const OrdinalStem &ordinal =
            rest < 20 ? kUnitOrdinals[rest] : (rest % 10 == 0 ? kTenOrdinals[rest / 10] : kUnitOrdinals[rest % 10]);
        head = rest < 20 || rest % 10 == 0 ? number - rest : number - rest % 10;
        stem = QString::fromUtf16(ordinal.stem);
        type = ordinal.type;
    }
    const QString last = stem + ordinalEnding(type, form);
    if (head == 0)
        return last;
    return cardinalInWords(head, {}) + u' ' + last;
}
