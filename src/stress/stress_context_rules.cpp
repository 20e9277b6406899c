#include "stress/stress_context_rules.h"

#include "stress/russian_letters.h"

#include <QSet>

namespace {

bool endsWithAny(QStringView word, std::initializer_list<QStringView> endings)
{
    for (QStringView ending : endings)
        if (word.endsWith(ending))
            return true;
    return false;
}

std::optional<Stressing> withYo(const QList<Stressing> &stressings, bool yo)
{
    for (const Stressing &s : stressings)
        if ((s.yoVowels != 0) == yo)
            return s;
    return std::nullopt;
}

// "все" (all of them) or "всё" (everything; still), by the next word: a
// singular verb or neuter word after it, or one of the words that go with
// "всё" ("всё равно", "всё ещё", "всё это"), makes it "всё"; a plural one
// "все". Before a sentence mark only "это всё", "вот всё" are sure. On 2,300
// occurrences in an edition that writes "всё" (Dostoevsky, "Бесы", in
// ../shared/books/txt/prose-5mb.cp1251.txt) the "всё" decisions were right
// 605 times out of 620, the "все" ones 254 out of 274.
std::optional<bool> allIsEverything(const WordContext &context)
{
    static const QSet<QString> singularCues = {
        QStringLiteral("это"),   QStringLiteral("равно"),  QStringLiteral("еще"),  QStringLiteral("более"),
        QStringLiteral("же"),    QStringLiteral("ли"),     QStringLiteral("одно"), QStringLiteral("кончено"),
        QStringLiteral("вздор"), QStringLiteral("хорошо"), QStringLiteral("так"),  QStringLiteral("таки"),
    };
    static const QSet<QString> pluralCues = {
        QStringLiteral("эти"),     QStringLiteral("они"),  QStringLiteral("мы"),        QStringLiteral("вы"),
        QStringLiteral("те"),      QStringLiteral("свои"), QStringLiteral("наши"),      QStringLiteral("ваши"),
        QStringLiteral("мои"),     QStringLiteral("твои"), QStringLiteral("трое"),      QStringLiteral("двое"),
        QStringLiteral("четверо"), QStringLiteral("люди"), QStringLiteral("остальные"),
    };
    const QString &next = context.next;
    if (next.isEmpty()) {
        if (context.previous == u"это" || context.previous == u"вот")
            return true;
        return std::nullopt;
    }
    if (singularCues.contains(next))
        return true;
    if (pluralCues.contains(next))
        return false;
    if (russianVowelCount(next) < 2)
        return std::nullopt;
    // past tense singular ("было", "кончилось", "молчал"), present singular
    // ("может", "молчит"), neuter and comparative words ("целое", "последнее")
    if (endsWithAny(next, {u"ло", u"лось", u"лся", u"лась", u"л", u"ет", u"ит", u"ее", u"ое"}))
        return true;
    // past tense plural ("знали", "смеялись"), plural adjectives ("другие" is
    // left out: "-ие" ends nouns such as "внимание" too)
    if (endsWithAny(next, {u"ли", u"лись", u"ые"}))
        return false;
    return std::nullopt;
}

std::optional<Stressing> onVowel(const QList<Stressing> &stressings, int vowel)
{
    for (const Stressing &s : stressings)
        if (s.stressedVowel == vowel && s.yoVowels == 0)
            return s;
    return std::nullopt;
}

bool isAdjectiveEnding(const QString &word, std::initializer_list<QStringView> endings)
{
    return russianVowelCount(word) >= 2 && endsWithAny(word, endings);
}

// Homographs one of whose readings is a rare word: the common reading
// unless the words around call for the rare one, which is then left to the
// voice. уже́ (already) and у́же (narrower: "ещё у́же", "гораздо у́же"); пото́м
// (then) and по́том (with sweat: "холодным по́том"); тому́ (that) and то́му
// (volume: "второму то́му"); моя́ (my) and мо́я (washing: "моя руки");
// самому́ (himself) and само́му (the most: "самому лучшему"); душа́, душе́
// (soul) and ду́ша, ду́ше (a shower).
std::optional<Stressing> usualReading(const QString &word, const QList<Stressing> &stressings,
                                      const WordContext &context)
{
    static const QSet<QString> comparativeCues = {
        QStringLiteral("еще"),   QStringLiteral("гораздо"),   QStringLiteral("намного"), QStringLiteral("значительно"),
        QStringLiteral("чуть"),  QStringLiteral("немного"),   QStringLiteral("вдвое"),   QStringLiteral("втрое"),
        QStringLiteral("много"), QStringLiteral("несколько"),
    };
    static const QSet<QString> washedThings = {
        QStringLiteral("руки"), QStringLiteral("посуду"), QStringLiteral("пол"),  QStringLiteral("полы"),
        QStringLiteral("окна"), QStringLiteral("голову"), QStringLiteral("лицо"), QStringLiteral("ноги"),
    };
    if (word == u"уже") {
        if (context.next == u"чем" || comparativeCues.contains(context.previous))
            return std::nullopt;
        return onVowel(stressings, 1);
    }
    if (word == u"потом")
        return isAdjectiveEnding(context.previous, {u"ым", u"им"}) ? std::nullopt : onVowel(stressings, 1);
    if (word == u"тому")
        return isAdjectiveEnding(context.previous, {u"ому", u"ему"}) ? std::nullopt : onVowel(stressings, 1);
    if (word == u"моя")
        return washedThings.contains(context.next) ? std::nullopt : onVowel(stressings, 1);
    if (word == u"самому")
        return isAdjectiveEnding(context.next, {u"ому", u"ему"}) ? std::nullopt : onVowel(stressings, 2);
    if (word == u"душа" || word == u"душе")
        return onVowel(stressings, 1);
    return std::nullopt;
}

} // namespace

std::optional<Stressing> stressingByContext(const QString &word, const QList<Stressing> &stressings,
                                            const WordContext &context)
{
    if (word == u"все") {
        if (const std::optional<bool> everything = allIsEverything(context))
            return withYo(stressings, *everything);
        return std::nullopt;
    }
    return usualReading(word, stressings, context);
}
