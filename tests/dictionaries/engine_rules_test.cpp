// The boundary rules of the engine on small, readable cases.

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/entry_markers.h"
#include "dictionaries/entry_safety.h"
#include "dictionaries/replace_bounded.h"

#include <gtest/gtest.h>

namespace {

QString apply(const DictionaryTable &t, const QString &text)
{
    return DictionaryEngine(t).apply(text);
}

DictionaryTable oneEntry(const QString &key, const QString &replacement, bool caseSensitive, BoundaryMode mode)
{
    return {{key, replacement, caseSensitive, mode}};
}

} // namespace

TEST(EntryMarkers, ModesStripAndAddRoundTrip)
{
    using enum BoundaryMode;
    const struct
    {
        const char *key;
        BoundaryMode mode;
        const char *bare;
    } cases[] = {
        {"*ab*", Anywhere, "ab"},
        {"ab*", DelimiterBefore, "ab"},
        {"*ab", DelimiterAfter, "ab"},
        {"ab", DelimiterBeforeAndAfter, "ab"},
        {"&ab&", NonDelimiterBeforeAndAfter, "ab"},
        {"ab&", DelimiterBeforeNonDelimiterAfter, "ab"},
        {"&ab", NonDelimiterBeforeDelimiterAfter, "ab"},
        {"*ab&", NonDelimiterAfter, "ab"},
        {"&ab*", NonDelimiterBefore, "ab"},
        {"", MatchesNothing, ""},
    };
    for (const auto &c : cases) {
        const QString key = QString::fromUtf8(c.key);
        EXPECT_EQ(entryMode(key), c.mode) << c.key;
        EXPECT_EQ(stripMarkers(key, c.mode), QString::fromUtf8(c.bare)) << c.key;
        EXPECT_EQ(addMarkers(QString::fromUtf8(c.bare), c.mode), key) << c.key;
    }
}

TEST(EngineRules, WholeWordsAndTheirNeighbours)
{
    const struct
    {
        const char *text;
        bool caseSensitive;
        const char *expected;
    } cases[] = {
        {"он, он пришёл", false, "ОН, ОН пришёл"},
        {"онон пришёл", false, "онон пришёл"}, // doubled without a space
        {"тонна", false, "тонна"},             // inside a longer word
        {"Он пришёл", false, "ОН пришёл"},     // capital at the start, case-blind
        {"Он пришёл", true, "Он пришёл"},      // the same, case-sensitive
        {"он", false, "ОН"},                   // the ends of the text are boundaries
        {"он-то «он»", false, "он-то «он»"},   // hyphen and « » are no delimiters
        {"он\r\nон", false, "ОН\r\nОН"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(apply(oneEntry(QStringLiteral("он"), QStringLiteral("ОН"), c.caseSensitive,
                                 BoundaryMode::DelimiterBeforeAndAfter),
                        QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.expected))
            << c.text;
}

TEST(EngineRules, FailedOccurrenceKeepsItsCaseAndNoRescanInsideIt)
{
    // "АбаБа": the first "аба" fails the word-beginning-and-end test and
    // stays whole; the search goes on after it, so "аба" at 2 is never seen.
    EXPECT_EQ(replaceBounded(QStringLiteral(" АбаБа "), QStringLiteral("аба"), QStringLiteral("X"),
                             BoundaryMode::DelimiterBeforeAndAfter, false),
              QStringLiteral(" АбаБа "));
    // Side by side occurrences have no neighbour between them.
    EXPECT_EQ(replaceBounded(QStringLiteral(" абаб "), QStringLiteral("аб"), QStringLiteral("X"),
                             BoundaryMode::DelimiterBefore, false),
              QStringLiteral(" Xаб "));
}

TEST(EngineRules, EntriesFeedEachOtherInTableOrder)
{
    const DictionaryTable forward = {{QStringLiteral("а"), QStringLiteral("б"), false, BoundaryMode::Anywhere},
                                     {QStringLiteral("б"), QStringLiteral("в"), false, BoundaryMode::Anywhere}};
    EXPECT_EQ(apply(forward, QStringLiteral("а")), QStringLiteral("в"));
    const DictionaryTable backward = {{QStringLiteral("б"), QStringLiteral("в"), false, BoundaryMode::Anywhere},
                                      {QStringLiteral("а"), QStringLiteral("б"), false, BoundaryMode::Anywhere}};
    EXPECT_EQ(apply(backward, QStringLiteral("а")), QStringLiteral("б"));
}

TEST(EngineRules, DeletionsEmptyTablesAndLostPadding)
{
    EXPECT_EQ(apply(oneEntry(QStringLiteral("ь"), QString(), false, BoundaryMode::Anywhere), QStringLiteral("тьма")),
              QStringLiteral("тма"));
    EXPECT_EQ(apply(DictionaryTable(), QStringLiteral(" x ")), QStringLiteral(" x "));
    // An entry that deletes spaces eats the padding too: the first and last
    // characters of what is left still go.
    EXPECT_EQ(apply(oneEntry(QStringLiteral(" "), QString(), false, BoundaryMode::Anywhere), QStringLiteral("а б")),
              QStringLiteral(""));
    EXPECT_EQ(apply(oneEntry(QStringLiteral(" "), QString(), false, BoundaryMode::Anywhere), QStringLiteral("абв")),
              QStringLiteral("б"));
}

TEST(EntrySafety, EntriesThatWouldTouchVoiceMarkersAreRefused)
{
    EXPECT_TRUE(entryIsSafe(QStringLiteral("речь"), false)); // whole word: "{" "}" are no delimiters
    EXPECT_FALSE(entryIsSafe(QStringLiteral("*речь*"), false));
    EXPECT_FALSE(entryIsSafe(QStringLiteral("*-*"), false));
    EXPECT_FALSE(entryIsSafe(QStringLiteral("*->*"), false));
    EXPECT_FALSE(entryIsSafe(QStringLiteral("*АВТОР*"), false));
    EXPECT_TRUE(entryIsSafe(QStringLiteral("*АВТОР*"), true));
}
