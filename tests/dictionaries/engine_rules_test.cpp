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

DictionaryTable oneEntry(const QString &key, const QString &replacement, bool caseSensitive, qint16 mode)
{
    DictionaryTable t;
    t.append(key, replacement, caseSensitive, mode);
    return t;
}

} // namespace

TEST(EntryMarkers, ModesStripAndAddRoundTrip)
{
    const struct
    {
        const char *key;
        int mode;
        const char *bare;
    } cases[] = {
        {"*ab*", 0, "ab"}, {"ab*", 1, "ab"}, {"*ab", 2, "ab"},  {"ab", 3, "ab"},   {"&ab&", 4, "ab"},
        {"ab&", 5, "ab"},  {"&ab", 6, "ab"}, {"*ab&", 7, "ab"}, {"&ab*", 8, "ab"}, {"", -1, ""},
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
        EXPECT_EQ(
            apply(oneEntry(QStringLiteral("он"), QStringLiteral("ОН"), c.caseSensitive, 3), QString::fromUtf8(c.text)),
            QString::fromUtf8(c.expected))
            << c.text;
}

TEST(EngineRules, FailedOccurrenceKeepsItsCaseAndNoRescanInsideIt)
{
    // "АбаБа": the first "аба" fails the word-beginning-and-end test and
    // stays whole; the search goes on after it, so "аба" at 2 is never seen.
    EXPECT_EQ(replaceBounded(QStringLiteral(" АбаБа "), QStringLiteral("аба"), QStringLiteral("X"), 3, false),
              QStringLiteral(" АбаБа "));
    // Side by side occurrences have no neighbour between them.
    EXPECT_EQ(replaceBounded(QStringLiteral(" абаб "), QStringLiteral("аб"), QStringLiteral("X"), 1, false),
              QStringLiteral(" Xаб "));
}

TEST(EngineRules, EntriesFeedEachOtherInTableOrder)
{
    DictionaryTable forward;
    forward.append(QStringLiteral("а"), QStringLiteral("б"), false, 0);
    forward.append(QStringLiteral("б"), QStringLiteral("в"), false, 0);
    EXPECT_EQ(apply(forward, QStringLiteral("а")), QStringLiteral("в"));
    DictionaryTable backward;
    backward.append(QStringLiteral("б"), QStringLiteral("в"), false, 0);
    backward.append(QStringLiteral("а"), QStringLiteral("б"), false, 0);
    EXPECT_EQ(apply(backward, QStringLiteral("а")), QStringLiteral("б"));
}

TEST(EngineRules, DeletionsEmptyTablesAndLostPadding)
{
    EXPECT_EQ(apply(oneEntry(QStringLiteral("ь"), QString(), false, 0), QStringLiteral("тьма")), QStringLiteral("тма"));
    EXPECT_EQ(apply(DictionaryTable(), QStringLiteral(" x ")), QStringLiteral(" x "));
    // An entry that deletes spaces eats the padding too: the first and last
    // characters of what is left still go.
    EXPECT_EQ(apply(oneEntry(QStringLiteral(" "), QString(), false, 0), QStringLiteral("а б")), QStringLiteral(""));
    EXPECT_EQ(apply(oneEntry(QStringLiteral(" "), QString(), false, 0), QStringLiteral("абв")), QStringLiteral("б"));
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
