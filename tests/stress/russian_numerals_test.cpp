// Russian numbers in words and Roman numerals.

#include "stress/roman_numerals.h"
#include "stress/russian_numerals.h"

#include <gtest/gtest.h>

namespace {

using C = GrammaticalCase;
constexpr WordGender M = WordGender::Masculine;
constexpr WordGender F = WordGender::Feminine;
constexpr WordGender N = WordGender::Neuter;
constexpr WordGender P = WordGender::Plural;

struct Case
{
    qint64 number;
    NumeralForm form;
    const char16_t *expected;
};

void expectWords(QString (*inWords)(qint64, NumeralForm), std::initializer_list<Case> cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(inWords(c.number, c.form).toStdString(), QString::fromUtf16(c.expected).toStdString())
            << c.number << " case " << int(c.form.grammaticalCase) << " gender " << int(c.form.gender);
}

TEST(RussianNumerals, CardinalsInEveryCaseAndGender)
{
    expectWords(cardinalInWords, {
                                     {0, {C::Nominative, M}, u"ноль"},
                                     {1, {C::Nominative, M}, u"один"},
                                     {1, {C::Nominative, F}, u"одна"},
                                     {1, {C::Nominative, N}, u"одно"},
                                     {1, {C::Nominative, P}, u"одни"},
                                     {1, {C::Accusative, F}, u"одну"},
                                     {1, {C::Accusative, M, true}, u"одного"},
                                     {1, {C::Genitive, F}, u"одной"},
                                     {2, {C::Nominative, F}, u"две"},
                                     {2, {C::Accusative, M, true}, u"двух"},
                                     {22, {C::Accusative, M, true}, u"двадцать два"},
                                     {22, {C::Nominative, F}, u"двадцать две"},
                                     {2, {C::Instrumental, M}, u"двумя"},
                                     {3, {C::Genitive, M}, u"трёх"},
                                     {4, {C::Instrumental, M}, u"четырьмя"},
                                     {5, {C::Genitive, M}, u"пяти"},
                                     {8, {C::Instrumental, M}, u"восемью"},
                                     {11, {C::Dative, M}, u"одиннадцати"},
                                     {40, {C::Genitive, M}, u"сорока"},
                                     {50, {C::Instrumental, M}, u"пятьюдесятью"},
                                     {90, {C::Dative, M}, u"девяноста"},
                                     {100, {C::Genitive, M}, u"ста"},
                                     {200, {C::Dative, M}, u"двумстам"},
                                     {300, {C::Prepositional, M}, u"трёхстах"},
                                     {500, {C::Instrumental, M}, u"пятьюстами"},
                                     {800, {C::Genitive, M}, u"восьмисот"},
                                     {1000, {C::Nominative, M}, u"тысяча"},
                                     {1000, {C::Instrumental, M}, u"тысячей"},
                                     {2000, {C::Nominative, M}, u"две тысячи"},
                                     {5000, {C::Genitive, M}, u"пяти тысяч"},
                                     {21000, {C::Nominative, M}, u"двадцать одна тысяча"},
                                     {21000, {C::Instrumental, M}, u"двадцатью одной тысячей"},
                                     {1500, {C::Genitive, M}, u"тысячи пятисот"},
                                     {1812, {C::Nominative, M}, u"тысяча восемьсот двенадцать"},
                                     {1812, {C::Prepositional, M}, u"тысяче восьмистах двенадцати"},
                                     {1000000, {C::Nominative, M}, u"миллион"},
                                     {2000000, {C::Nominative, M}, u"два миллиона"},
                                     {5000000, {C::Genitive, M}, u"пяти миллионов"},
                                     {1001000, {C::Nominative, M}, u"миллион одна тысяча"},
                                     {999999999,
                                      {C::Nominative, M},
                                      u"девятьсот девяносто девять миллионов девятьсот девяносто девять тысяч "
                                      u"девятьсот девяносто девять"},
                                     {-1, {C::Nominative, M}, u""},
                                     {1000000000, {C::Nominative, M}, u""},
                                 });
}

TEST(RussianNumerals, OrdinalsInEveryCaseAndGender)
{
    expectWords(ordinalInWords, {
                                    {0, {C::Nominative, M}, u"нулевой"},
                                    {1, {C::Nominative, M}, u"первый"},
                                    {1, {C::Accusative, M}, u"первый"},
                                    {1, {C::Accusative, M, true}, u"первого"},
                                    {2, {C::Nominative, M}, u"второй"},
                                    {2, {C::Nominative, N}, u"второе"},
                                    {3, {C::Nominative, M}, u"третий"},
                                    {3, {C::Nominative, F}, u"третья"},
                                    {3, {C::Nominative, N}, u"третье"},
                                    {3, {C::Genitive, F}, u"третьей"},
                                    {3, {C::Accusative, F}, u"третью"},
                                    {3, {C::Instrumental, P}, u"третьими"},
                                    {4, {C::Nominative, M}, u"четвёртый"},
                                    {5, {C::Accusative, F}, u"пятую"},
                                    {6, {C::Prepositional, M}, u"шестом"},
                                    {7, {C::Nominative, M}, u"седьмой"},
                                    {8, {C::Nominative, F}, u"восьмая"},
                                    {19, {C::Genitive, M}, u"девятнадцатого"},
                                    {40, {C::Nominative, M}, u"сороковой"},
                                    {90, {C::Genitive, P}, u"девяностых"},
                                    {100, {C::Nominative, M}, u"сотый"},
                                    {600, {C::Nominative, M}, u"шестисотый"},
                                    {1000, {C::Nominative, M}, u"тысячный"},
                                    {1600, {C::Genitive, M}, u"тысяча шестисотого"},
                                    {1812, {C::Prepositional, M}, u"тысяча восемьсот двенадцатом"},
                                    {1941, {C::Genitive, M}, u"тысяча девятьсот сорок первого"},
                                    {2000, {C::Prepositional, M}, u"двухтысячном"},
                                    {2005, {C::Nominative, M}, u"две тысячи пятый"},
                                    {3000, {C::Nominative, M}, u"трёхтысячный"},
                                    {9999, {C::Dative, F}, u"девять тысяч девятьсот девяносто девятой"},
                                    {21000, {C::Nominative, M}, u"двадцатиоднотысячный"},
                                    {40000, {C::Nominative, M}, u"сорокатысячный"},
                                    {90000, {C::Nominative, M}, u"девяностотысячный"},
                                    {100000, {C::Nominative, M}, u"стотысячный"},
                                    {1000000, {C::Nominative, M}, u"миллионный"},
                                    {2000000, {C::Nominative, M}, u"двухмиллионный"},
                                    {1002000, {C::Nominative, M}, u"миллион двухтысячный"},
                                    {1000005, {C::Nominative, N}, u"миллион пятое"},
                                });
}

TEST(RomanNumerals, OnlyTheUsualSpellingIsANumeral)
{
    const struct
    {
        const char16_t *word;
        int value;
    } cases[] = {
        {u"I", 1},    {u"IV", 4},   {u"IX", 9},     {u"XIV", 14},      {u"XIX", 19},         {u"XL", 40},
        {u"XC", 90},  {u"CD", 400}, {u"MIX", 1009}, {u"MCMXII", 1912}, {u"MMMCMXCIX", 3999}, {u"IIII", 0},
        {u"IC", 0},   {u"VX", 0},   {u"IIV", 0},    {u"VV", 0},        {u"xix", 0},          {u"", 0},
        {u"MIXT", 0}, {u"ХIХ", 0}, // Cyrillic Х without the option
    };
    for (const auto &c : cases)
        EXPECT_EQ(romanNumeralValue(QString::fromUtf16(c.word)), c.value) << QString::fromUtf16(c.word).toStdString();
    EXPECT_EQ(romanNumeralValue(u"ХIХ", true), 19);
    EXPECT_EQ(romanNumeralValue(u"ХХ", true), 20);
}

} // namespace
