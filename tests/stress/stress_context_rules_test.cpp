// The context rules for homographs, each with the cases it decides and some
// it must leave.

#include "shipped_lexicon.h"
#include "stress/stress_lexicon.h"
#include "stress/stress_pass.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString allWord(const QString &text)
{
    static const QRegularExpression all(QStringLiteral("(?<![а-яё])[Вв]с[её](?![а-яё])"));
    return all.match(text).captured();
}

TEST(StressContextRules, AllOrEverythingByTheWordThatFollows)
{
    const struct
    {
        const char16_t *text;
        const char16_t *expected;
    } cases[] = {
        // всё
        {u"все равно", u"всё равно"},
        {u"Все это было давно", u"Всё это было давно"},
        {u"все еще", u"всё ещё"},
        {u"все кончилось", u"всё кончилось"},
        {u"он все молчал", u"он всё молчал"},
        {u"все может быть", u"всё может быть"},
        {u"все последнее", u"всё последнее"},
        {u"Вот все.", u"Вот всё."},
        // все
        {u"все они", u"все они"},
        {u"все знали", u"все знали"},
        {u"все смеялись", u"все смеялись"},
        // left: the next word does not tell, or a mark stands between
        {u"все в доме", u"все в доме"},
        {u"все, что", u"все, что"},
        {u"все. Равно", u"все. Равно"},
    };
    const StressPass pass(shippedLexicon());
    for (const auto &c : cases) {
        const QString out = pass.apply(QString::fromUtf16(c.text));
        // only the word "все" is the rule's (the others get their own stress)
        EXPECT_EQ(allWord(out).toStdString(), allWord(QString::fromUtf16(c.expected)).toStdString())
            << QString::fromUtf16(c.text).toStdString();
    }
}

} // namespace

TEST(StressContextRules, TheUsualReadingUnlessTheWordsAroundCallForTheRareOne)
{
    const struct
    {
        const char16_t *text;
        const char16_t *expected;
    } cases[] = {
        {u"он уже пришел", u"уже+"},
        {u"Уже", u"Уже+"},
        {u"дорога еще уже", u"уже"}, // narrower: left to the voice
        {u"гораздо уже", u"уже"},
        {u"а потом", u"пото+м"},
        {u"холодным потом", u"потом"}, // with sweat
        {u"к тому же", u"тому+"},
        {u"второму тому", u"тому"}, // a volume
        {u"моя мама", u"моя+"},
        {u"моя руки", u"моя"}, // washing
        {u"самому себе", u"самому+"},
        {u"самому лучшему", u"самому"}, // the most
        {u"душа болит", u"душа+"},
        {u"стая уток", u"у+ток"},
        {u"с большим трудом", u"больши+м"},
    };
    const StressPass pass(shippedLexicon());
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const QString out = pass.apply(text);
        const QString expected = QString::fromUtf16(c.expected);
        EXPECT_TRUE(out.contains(expected) && (expected.contains(u'+') || !out.contains(expected + u'+')))
            << text.toStdString() << " -> " << out.toStdString();
    }
}

TEST(StressContextRules, NounFormsAndVerbsByTheWordBefore)
{
    const struct
    {
        const char16_t *text;
        const char16_t *expected; // the homograph as the pass writes it
    } cases[] = {
        // a preposition that takes no accusative: the genitive singular
        {u"из воды", u"воды+"},
        {u"с той стороны", u"стороны+"},
        {u"у глаза", u"гла+за"},
        {u"от высоты", u"высоты+"},
        {u"из города", u"го+рода"},
        // an accusative preposition: the second locative, else the plural
        {u"на лету", u"лету+"},
        {u"в глаза", u"глаза+"},
        // an agreeing word
        {u"эти стороны", u"сто+роны"},
        {u"белые стены", u"сте+ны"},
        {u"другой стороны", u"стороны+"},
        {u"своего города", u"го+рода"},
        // a subject pronoun: the verb
        {u"она начала", u"начала+"},
        // a possessive between the preposition and the noun
        {u"из-за его спины", u"спины+"},
        {u"для её души", u"души+"},
        {u"в его глаза", u"глаза+"},
        // left to the voice: nothing before tells ("его" says nothing of the case)
        {u"его глаза", u"глаза"},
        {u"Стороны", u"Стороны"},
        {u"их глаза", u"глаза"},
    };
    const StressPass pass(shippedLexicon());
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const QString out = pass.apply(text);
        const QString expected = QString::fromUtf16(c.expected);
        EXPECT_TRUE(out.endsWith(expected)) << text.toStdString() << " -> " << out.toStdString();
    }
}

TEST(StressContextRules, AVerbFormOrAPluralSubjectByTheWordAfter)
{
    const struct
    {
        const char16_t *text;
        const char16_t *expected; // the homograph as the pass writes it
    } cases[] = {
        {u"и начала расспрашивать", u"начала+"},
        {u"и начал выкрикивать", u"на+чал"},
        {u"жила бы в покое", u"жила+"},
        // not a verb: a noun, a numeral or an adverb in "-ть" follows
        {u"начала часть", u"начала"},
        {u"прошло двенадцать", u"прошло"},
        // only past forms: a rare verb's present or gerund is not taken
        {u"случая иметь", u"случая"},
        {u"по пыли рисовать", u"пыли"},
        // a plural subject of the plural verb after it, where nothing before can govern a genitive
        {u"и глаза блестели", u"глаза+"},
        {u"Стены были", u"Сте+ны"},
        {u"глубины души волновали", u"души"},
        {u"по перемене её тона Долли", u"тона"},
        {u"Доктора сказали", u"Доктора+"},
    };
    const StressPass pass(shippedLexicon());
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const QString expected = QString::fromUtf16(c.expected);
        QString bare = expected;
        bare.remove(u'+');
        // the homograph's word in the output, whatever the pass did to the others
        QString written;
        for (const QString &token : pass.apply(text).split(u' '))
            if (QString(token).remove(u'+') == bare)
                written = token;
        EXPECT_EQ(written, expected) << text.toStdString();
    }
}
