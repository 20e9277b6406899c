// The stress and "ё" pass with the lexicon the program ships.

#include "shipped_lexicon.h"
#include "stress/stress_lexicon.h"
#include "stress/stress_pass.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char16_t *text;
    const char16_t *expected;
};

void expectStressed(std::initializer_list<Case> cases)
{
    const StressPass pass(shippedLexicon());
    for (const Case &c : cases)
        EXPECT_EQ(pass.apply(QString::fromUtf16(c.text)).toStdString(), QString::fromUtf16(c.expected).toStdString());
}

TEST(StressPass, StressesWordsOfTwoOrMoreSyllablesTheLexiconKnowsOneWay)
{
    expectStressed({
        {u"молоко", u"молоко+"},
        {u"Себе и тебе", u"Себе+ и тебе+"},
        {u"Моя комната", u"Моя+ ко+мната"},
        {u"ГОЛОВОЙ", u"ГОЛОВО+Й"},    // capitals kept
        {u"дом и сад", u"дом и сад"}, // one syllable: nothing to mark
        {u"", u""},
    });
}

TEST(StressPass, WritesYoWhereTheLexiconKnowsTheWordOnlyWithIt)
{
    expectStressed({
        {u"еще", u"ещё"},
        {u"Еще раз", u"Ещё раз"},
        {u"ЕЕ", u"ЕЁ"},
        {u"идет", u"идёт"},
        {u"пойдем", u"пойдём"},
        {u"черный мед", u"чёрный мёд"}, // one syllable too
        {u"все-таки", u"всё-таки"},     // a hyphenated form whole
    });
}

TEST(StressPass, LeavesHomographsAndUnknownWordsToTheVoice)
{
    expectStressed({
        {u"замок", u"замок"},
        {u"Руки", u"Руки"},
        {u"бумбарашкин", u"бумбарашкин"},
    });
}

TEST(StressPass, LeavesWordsTheBookOrTheUserMarked)
{
    expectStressed({
        {u"за+мок и молоко", u"за+мок и молоко+"},
        {u"за\u0301мок", u"за\u0301мок"},
        {u"моло`ко", u"моло`ко"},
        {u"ещё", u"ещё"},       // ё takes the stress by itself
        {u"пóдать", u"пóдать"}, // a Latin letter: not a Russian word
        {u"2+2 и C++", u"2+2 и C++"},
    });
}

TEST(StressPass, HyphenatedWordsWholeOrPartByPart)
{
    expectStressed({
        {u"красно-белый", u"красно-бе+лый"}, // кра́сно/красно́: a homograph
        {u"по-моему", u"по-мо+ему"},         // a whole form of the lexicon
        {u"кто-нибудь", u"кто-нибудь"},      // кто́-нибудь: no mark on a part of one syllable
        {u"Анна-Мария", u"А+нна-Мари+я"},
    });
}

TEST(StressPass, MarkupIsLeftAlone)
{
    expectStressed({
        {u" {речь->} Голова болит", u" {речь->} Голова+ боли+т"},
        {u"<silence msec=\"500\"/>голова", u"<silence msec=\"500\"/>голова+"},
        {u"<rate absspeed=\"2\">голова</rate>", u"<rate absspeed=\"2\">голова+</rate>"},
        {u"[[golova]] голова", u"[[golova]] голова+"},
        {u"&quot;голова&quot;", u"&quot;голова+&quot;"},
        {u"{голова}", u"{голова}"},
    });
}

TEST(StressPass, NamesTheWordsItLeavesToTheVoice)
{
    const StressPass pass(shippedLexicon());
    QStringList undecided;
    pass.apply(QStringLiteral("Замок стоял уже давно, и Бумбарашкин с ним. А+нна {речь->} замок"), &undecided);
    EXPECT_EQ(undecided,
              QStringList({QStringLiteral("Замок"), QStringLiteral("Бумбарашкин"), QStringLiteral("замок")}));
}

} // namespace
