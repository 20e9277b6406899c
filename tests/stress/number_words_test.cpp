// Numbers said in Russian words before the voice: each rule with the phrases
// it rewrites, and the numbers it must leave as written.

#include "import/text_normalisation.h"
#include "stress/number_words.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char16_t *text;
    const char16_t *expected;
};

void expectWords(std::initializer_list<Case> cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(numbersInRussianWords(QString::fromUtf16(c.text)).toStdString(),
                  QString::fromUtf16(c.expected).toStdString());
}

void expectLeft(std::initializer_list<const char16_t *> texts)
{
    for (const char16_t *text : texts)
        EXPECT_EQ(numbersInRussianWords(QString::fromUtf16(text)).toStdString(),
                  QString::fromUtf16(text).toStdString());
}

TEST(NumberWords, RomanNumeralsOfHeadingsAgreeWithTheirNoun)
{
    expectWords({
        {u"Глава II", u"Глава вторая"},
        {u"ГЛАВА II", u"ГЛАВА ВТОРАЯ"},
        {u"ЧАСТЬ III\r\n", u"ЧАСТЬ ТРЕТЬЯ\r\n"},
        {u"Том IV.", u"Том четвёртый."},
        {u"Книга V", u"Книга пятая"},
        {u"Явление VI", u"Явление шестое"},
        {u"Глава XIV. Бал", u"Глава четырнадцатая. Бал"},
        {u"как сказано в главе II и в томе IV", u"как сказано в главе второй и в томе четвёртом"},
        {u"см. главу VII", u"см. главу седьмую"},
        {u"главы II–III", u"главы вторая–третья"},
    });
}

TEST(NumberWords, ARomanNumeralAloneOnALineIsAChapterNumber)
{
    expectWords({
        {u"II", u"Вторая"},
        {u"Конец.\r\nXIX\r\nНачало", u"Конец.\r\nДевятнадцатая\r\nНачало"},
        {u"{пауза->} IV. {пауза->}\n", u"{пауза->} Четвёртая. {пауза->}\n"},
    });
}

TEST(NumberWords, RomanNumeralsBeforeCenturiesAndTheLikeTakeTheirCase)
{
    expectWords({
        {u"в XIX веке", u"в девятнадцатом веке"},
        {u"Наступил XX век.", u"Наступил двадцатый век."},
        {u"XX век", u"Двадцатый век"},
        {u"к XVIII веку", u"к восемнадцатому веку"},
        {u"до XIX века", u"до девятнадцатого века"},
        {u"в XV–XVI веках", u"в пятнадцатом–шестнадцатом веках"},
        {u"в XVIII и XIX столетиях", u"в восемнадцатом и девятнадцатом столетиях"},
        {u"начало XIX-го века", u"начало девятнадцатого века"},
        {u"литература XIX в. и", u"литература девятнадцатого века и"},
        {u"жил в XV в.", u"жил в пятнадцатом веке."},
        {u"в ХХ веке", u"в двадцатом веке"}, // Cyrillic Х
        {u"после XX съезда", u"после двадцатого съезда"},
        {u"годы II мировой войны", u"годы второй мировой войны"},
        {u"орден Анны II степени", u"орден Анны второй степени"},
        {u"на XXII Олимпийских играх", u"на двадцать вторых Олимпийских играх"},
    });
}

TEST(NumberWords, RomanNumeralsAfterRulersNamesAgreeWithTheName)
{
    expectWords({
        {u"Пётр I", u"Пётр Первый"},
        {u"при Петре I", u"при Петре Первом"},
        {u"реформы Петра I", u"реформы Петра Первого"},
        {u"Екатерины II", u"Екатерины Второй"},
        {u"с Николаем II", u"с Николаем Вторым"},
        {u"Людовик XIV", u"Людовик Четырнадцатый"},
        {u"Генрих VIII и Карл V", u"Генрих Восьмой и Карл Пятый"},
        {u"папа Иоанн Павел II", u"папа Иоанн Павел Второй"},
        {u"Рамзес II", u"Рамзес Второй"},
    });
}

TEST(NumberWords, LeavesLatinLettersThatAreNoNumeralHere)
{
    expectLeft({
        u"He said: I did it, and I am glad.",
        u"«I love you», — сказал он.",
        u"В. И. Ленин и V. Nabokov",
        u"Малкольм X и Фактор X",
        u"MIX, DIV и CD в тексте",
        u"диск CD и витамин C",
        u"автомобиль класса C, группа D, категории B и C",
        u"Глава 5",
        u"в главе 5 сказано",
        u"I.V. Smith",
        u"Вместо VIII. – в изд.",
    });
}

TEST(NumberWords, YearsAndOtherNumberedThingsBeforeTheirNoun)
{
    expectWords({
        {u"в 1812 году", u"в тысяча восемьсот двенадцатом году"},
        {u"Наступил 1812 год", u"Наступил тысяча восемьсот двенадцатый год"},
        {u"к 1812 году", u"к тысяча восемьсот двенадцатому году"},
        {u"зимой 1942 года", u"зимой тысяча девятьсот сорок второго года"},
        {u"в 1941–1945 годах", u"в тысяча девятьсот сорок первом–тысяча девятьсот сорок пятом годах"},
        {u"с 1941 по 1945 год", u"с тысяча девятьсот сорок первого по тысяча девятьсот сорок пятый год"},
        {u"в 1812 г. французы", u"в тысяча восемьсот двенадцатом году французы"},
        {u"в 1812 г. Наполеон", u"в тысяча восемьсот двенадцатом году Наполеон"},
        {u"В 1871 и в 1872 гг. была засуха",
         u"В тысяча восемьсот семьдесят первом и в тысяча восемьсот семьдесят втором годах была засуха"},
        {u"в 1941 – 1945 гг.", u"в тысяча девятьсот сорок первом – тысяча девятьсот сорок пятом годах."},
        {u"издания 1868—1869 гг. романа",
         u"издания тысяча восемьсот шестьдесят восьмого—тысяча восемьсот шестьдесят девятого годов романа"},
        {u"в 21 веке", u"в двадцать первом веке"},
        {u"на 3 странице", u"на третьей странице"},
        {u"на 1 этаже", u"на первом этаже"},
        {u"в 5 часу", u"в пятом часу"},
        {u"к 5 числу", u"к пятому числу"},
        {u"до 15 числа", u"до пятнадцатого числа"},
        {u"5 глава", u"Пятая глава"},
        {u"в 1812 го+ду", u"в тысяча восемьсот двенадцатом го+ду"},
    });
}

TEST(NumberWords, DatesOfTheMonth)
{
    expectWords({
        {u"5 мая", u"Пятое мая"},
        {u"Сегодня 5 мая.", u"Сегодня пятое мая."},
        {u"«Москва, 17 ноября.\r\n", u"«Москва, семнадцатое ноября.\r\n"},
        {u"Он родился 5 мая.", u"Он родился пятого мая."},
        {u"сообщил 28 декабря на пресс-конференции", u"сообщил двадцать восьмого декабря на пресс-конференции"},
        {u"а 9 мая — праздник", u"а девятое мая — праздник"},
        {u"до 5 мая", u"до пятого мая"},
        {u"к 1 сентября", u"к первому сентября"},
        {u"с 5 по 10 мая", u"с пятого по десятое мая"},
        {u"Это было 5 мая 1812 года.", u"Это было пятого мая тысяча восемьсот двенадцатого года."},
        {u"5-го мая", u"Пятого мая"},
    });
}

TEST(NumberWords, CardinalsTakeTheCaseOfTheirPreposition)
{
    expectWords({
        {u"с 5 до 10 часов", u"с пяти до десяти часов"},
        {u"около 100 человек", u"около ста человек"},
        {u"около 5 лет", u"около пяти лет"},
        {u"от 1 до 5 лет", u"от одного до пяти лет"},
        {u"от 1 до 5.", u"от 1 до пяти."}, // "одного" or "одной": no noun tells
        {u"работал с 5 до 10.", u"работал с пяти до десяти."},
        {u"около 100.", u"около ста."},
        {u"между 5 и 10", u"между пятью и десятью"},
        {u"к 5 часам", u"к пяти часам"},
        {u"около 10 000 человек", u"около десяти тысяч человек"},
        {u"Там 10 000 человек", u"Там десять тысяч человек"},
        {u"через 2 недели", u"через две недели"},
        {u"на 1 неделю", u"на одну неделю"},
    });
}

TEST(NumberWords, WrittenEndingsTellTheForm)
{
    expectWords({
        {u"Он пришёл 5-й.", u"Он пришёл пятый."},
        {u"Это было 21-го.", u"Это было двадцать первого."},
        {u"в 1812-м", u"в тысяча восемьсот двенадцатом"},
        {u"в 5-м классе", u"в пятом классе"},
        {u"стал 3-м", u"стал третьим"},
        {u"5-я глава", u"Пятая глава"},
        {u"на 5-й день", u"на пятый день"},
        {u"в 5-й главе", u"в пятой главе"},
        {u"солдаты 5-й роты", u"солдаты пятой роты"},
        {u"5-й полк", u"Пятый полк"},
        {u"у 5-й двери", u"у пятой двери"},
        {u"в 1990-х годах", u"в тысяча девятьсот девяностых годах"},
        {u"в 90-е годы", u"в девяностые годы"},
        {u"в 90-е", u"в девяностые"},
        {u"в 2-х томах", u"в двух томах"},
        {u"с 5-ти лет", u"с пяти лет"},
        {u"с 7-ми лет", u"с семи лет"},
        {u"на 3-ю", u"на третью"},
        {u"между 8-ью и 9-ью часами", u"между восемью и девятью часами"},
        {u"на основании статьи 1659-й и", u"на основании статьи тысяча шестьсот пятьдесят девятой и"},
        {u"ЧАСТЬ 1-я.", u"ЧАСТЬ первая."},
    });
}

TEST(NumberWords, LeavesNumbersTheContextDoesNotSettle)
{
    expectLeft({
        u"в 2 часа",
        u"5 человек",
        u"в 5 раз",
        u"в 5",
        u"до 1812",
        u"до 21",
        u"2 года",
        u"21 год",
        u"до 21 года",
        u"Блок 5.",
        u"стр. 5",
        u"5-летний, 2-комнатная",
        u"до 5-ти-этажного",
    });
}

TEST(NumberWords, LeavesDecimalsTimesScoresPhonesAndSums)
{
    expectLeft({
        u"+7 (495) 123-45-67",
        u"до 123-45-67",
        u"около 3,5 лет",
        u"в 3.5 раза",
        u"счёт 2:0",
        u"в 12:30 часов",
        u"12.05.1812 года",
        u"около 5% и до 5 %",
        u"около $100 и 100 $",
        u"около 100 руб.",
        u"до 100 €",
        u"около 5°",
        u"1/2 года",
    });
}

TEST(NumberWords, NeverTouchesMarkupAndKeepsItWhole)
{
    expectLeft({
        u"{пауза->} {речь->}",
        u"<silence msec=\"500\"/>",
        u"CD&nbsp;Land",
        u"<prosody rate=\"1812\">",
        u"[[v 1812 g'odu]]",
        u"&#1812;",
    });
    expectWords({
        {u"<silence msec=\"500\"/>в 1812 году", u"<silence msec=\"500\"/>в тысяча восемьсот двенадцатом году"},
        {u"{речь->} в XIX веке {пауза->}", u"{речь->} в девятнадцатом веке {пауза->}"},
        {u"в 1812 {пауза->} году", u"в 1812 {пауза->} году"},
        {u"в&nbsp;2002&nbsp;году", u"в&nbsp;две тысячи втором&nbsp;году"},
        {u"<p>XIX</p>", u"<p>Девятнадцатая</p>"},
    });
}

// The book editor's option writes 2000-2999 as "две тысячи 5"; the pass then
// says what it would have said of the digits.
TEST(NumberWords, AgreesWithTheYearsOptionOfTheEditor)
{
    const char16_t *const texts[] = {u"в 2005 году",        u"2012 год",          u"к 2020 году",
                                     u"в 2010-х годах",     u"до 2008 года",      u"с 2001 по 2005 год",
                                     u"около 2500 человек", u"в 2005–2010 годах", u"5 мая 2015 года"};
    for (const char16_t *text :
         {u"в 2000 году", u"2000 год", u"до 2000 года", u"в 2000-х годах", u"в 2000-е годы", u"в 2000 г."}) {
        // 2000 becomes "две тысячи" with no digits left: the year is read from the words.
        EXPECT_EQ(numbersInRussianWords(fixYears(QString::fromUtf16(text))).remove(u' ').toStdString(),
                  numbersInRussianWords(QString::fromUtf16(text)).remove(u' ').toStdString());
    }
    for (const char16_t *text : texts) {
        const QString plain = QString::fromUtf16(text);
        // The option adds blanks around what it writes.
        const QString spelled = numbersInRussianWords(fixYears(plain)).remove(u' ');
        EXPECT_EQ(spelled.toStdString(), numbersInRussianWords(plain).remove(u' ').toStdString());
        EXPECT_FALSE(spelled.contains(QRegularExpression(QStringLiteral("[0-9]")))) << spelled.toStdString();
    }
    expectWords({
        {u"в две тысячи 5 году", u"в две тысячи пятом году"},
        {u"в две тысячи году", u"в двухтысячном году"},
    });
    expectLeft({u"две тысячи лет", u"около двух тысяч лет"});
}

} // namespace
