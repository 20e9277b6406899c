#include "import/text_normalisation.h"

#include "support/scripted_dialogs.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

TEST(FixYears, RewritesFourDigitYearsStandingAlone)
{
    struct Case
    {
        const char16_t *text, *expected;
    };
    const Case cases[] = {
        {u"В 2005 году", u"В  две тысячи 5 году"},
        {u"2010", u" две тысячи 10"},                       // at the very start
        {u"год 2000.", u"год  две тысячи ."},               // 000 leaves only the words
        {u"2000-2999", u" две тысячи - две тысячи 999"},    // both ends of a range
        {u"2005г", u" две тысячи 5г"},                      // a letter may follow
        {u"12005 20055 2a05 205", u"12005 20055 2a05 205"}, // digits around, or too few
        {u"2022 и 2002", u" две тысячи 22 и  две тысячи 2"},
        {u"без чисел", u"без чисел"},
        {u"", u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fixYears(q(c.text)), q(c.expected)) << q(c.text).toStdString();
}

TEST(FixYears, ReachesYearsAtTheEndOfALongText)
{
    // Every rewrite makes the text longer; the last year must still be found.
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("2001 ");
    const QString fixed = fixYears(text);
    EXPECT_EQ(fixed.count(QStringLiteral("две тысячи 1")), 50);
}

TEST(IsDigitChar, OnlyOneDecimalDigit)
{
    EXPECT_TRUE(isDigitChar(QStringLiteral("7")));
    EXPECT_FALSE(isDigitChar(QString()));
    EXPECT_FALSE(isDigitChar(QStringLiteral("12")));
    EXPECT_FALSE(isDigitChar(QStringLiteral("x")));
}

TEST(ProperCase, FirstLetterOfEachWord)
{
    struct Case
    {
        const char16_t *text, *expected;
    };
    const Case cases[] = {
        {u"ГЛАВА ПЕРВАЯ", u"Глава Первая"},
        {u"глава 1. начало", u"Глава 1. Начало"},
        {u"ГЛАВА {пауза->} ", u"Глава {пауза->} "}, // markers keep their lower case
        {u"  ёлка\tзИМА", u"  Ёлка\tЗима"},
        // Roman numerals stay numerals: "Ii" would be read as an English word.
        {u"ГЛАВА II", u"Глава II"},
        {u"ЧАСТЬ XIV. ЗИМА", u"Часть XIV. Зима"},
        {u"ТОМ \u0425\u0406 (IV)", u"Том \u0425\u0406 (IV)"}, // Cyrillic Х and І typed for Latin
        {u"МИЛЫЙ ДРУГ", u"Милый Друг"},                       // "ДРУГ" and "МИЛЫЙ" hold Cyrillic letters
    };
    for (const Case &c : cases)
        EXPECT_EQ(properCase(q(c.text)), q(c.expected));
}

TEST(CleanTitle, MakesAFolderSafeTitle)
{
    struct Case
    {
        const char16_t *text, *expected;
    };
    const Case cases[] = {
        {u"«ВОЙНА И МИР». Том 1", u"«ВОЙНА И МИР» - Том 1"}, // guillemets stay, the stop is a dash
        {u"?!.,;", u""},                                     // only punctuation
        {u"Книга/Том\\2: часть*3", u"Книга - Том - 2 - часть - 3"},
        {u"  -- Название --  ", u"Название"},
        {u"Строка\r\nвторая", u"Строка - вторая"},
        {u"\"Цитата\"", u"Цитата"},
        {u"Полотенце с петухом", u"Полотенце с петухом"}, // the title keeps the case it was typed in
        {u"Глава II", u"Глава II"},
    };
    ScriptedDialogs dialogs;
    for (const Case &c : cases)
        EXPECT_EQ(cleanTitle(q(c.text), dialogs).value_or(QStringLiteral("<refused>")), q(c.expected))
            << q(c.text).toStdString();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(CleanTitle, RefusesTitlesAbove128Characters)
{
    ScriptedDialogs dialogs;
    EXPECT_EQ(cleanTitle(QString(128, u'я'), dialogs), QString(128, u'я'));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_FALSE(cleanTitle(QString(129, u'я'), dialogs));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Неправильное название книги"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Слишком длинное название книги!\nПроверьте выделенный фрагмент!"));
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Exclamation);
}
