#include "common/like_matcher.h"
#include "common/replace_all.h"

#include <gtest/gtest.h>

TEST(ReplaceAll, CasesFromTable)
{
    struct Case
    {
        const char16_t *text, *find, *repl;
        bool cs;
        const char16_t *expected;
    };
    const Case cases[] = {
        {u"aaa", u"aa", u"b", true, u"ba"},           // left to right, no overlap
        {u"abab", u"ab", u"abab", true, u"abababab"}, // replaced text is not searched again
        {u"Ёж ёж ЕЖ", u"ёж", u"X", false, u"X X ЕЖ"}, // Ё and ё match, Е does not
        {u"Ёж ёж", u"ёж", u"X", true, u"Ёж X"},
        {u"Hello HELLO", u"hello", u"hi", false, u"hi hi"},
        {u"Мама МАМА", u"мама", u"м", false, u"м м"},
        {u"text", u"", u"x", false, u"text"},
        {u"", u"a", u"b", false, u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(replaceAll(QString::fromUtf16(c.text), QString::fromUtf16(c.find), QString::fromUtf16(c.repl), c.cs),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.text).toStdString();
}

TEST(Like, PatternSyntax)
{
    struct Case
    {
        const char16_t *text, *pattern;
        bool match;
    };
    const Case cases[] = {
        {u"Глава 12", u"Глава #*", true},
        {u"Глава X", u"Глава #*", false},
        {u"глава 1", u"Глава #", false}, // exact case
        {u"abc", u"a?c", true},
        {u"ac", u"a?c", false},
        {u"", u"*", true},
        {u"abc", u"*c", true},
        {u"abcd", u"a*c", false},
        {u"b", u"[a-c]", true},
        {u"d", u"[a-c]", false},
        {u"d", u"[!a-c]", true},
        {u"*", u"[*]", true},
        {u"?", u"[?]", true},
        {u"x", u"[?]", false},
        {u"[", u"[[]", true},
        {u"]", u"[]]", true},
        {u"#", u"[#]", true},
        {u"Б", u"[А-Я]", true},
        {u"aXb", u"a[xX]b", true},
        {u"abc", u"a[bc", false}, // unclosed bracket
        {u"ЧАСТЬ ПЕРВАЯ", u"ЧАСТЬ *", true},
        {u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", u"*a*a*a*a*a*a*c", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(like(QString::fromUtf16(c.text), QString::fromUtf16(c.pattern)), c.match)
            << QString::fromUtf16(c.text).toStdString() << " ~ " << QString::fromUtf16(c.pattern).toStdString();
}
