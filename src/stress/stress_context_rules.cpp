#include "stress/stress_context_rules.h"

#include "stress/russian_letters.h"

#include <QSet>

#include <algorithm>

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
// (soul) and ду́ша, ду́ше (a shower); у́ток (of ducks) and уто́к (a weft);
// больши́м (big) and бо́льшим (greater).
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
    if (word == u"уток")
        return onVowel(stressings, 0);
    if (word == u"большим")
        return onVowel(stressings, 1);
    return std::nullopt;
}

// The stressing that alone among `stressings` can be a form of `kind`.
std::optional<Stressing> onlyOneOfKind(const QList<Stressing> &stressings, quint8 kind)
{
    std::optional<Stressing> found;
    for (const Stressing &s : stressings) {
        if (!(s.readings & kind))
            continue;
        if (found)
            return std::nullopt;
        found = s;
    }
    return found;
}

// A word that agrees with a genitive singular noun after it: "этой",
// "другой", "своего", "синей", "лучшей". "его", "ее" and "их" say nothing
// of the noun's case, and "-ей" is also a plural genitive ("людей глаза"),
// so only adjective and pronoun forms of it count.
bool agreesWithGenitiveSingular(const QString &word)
{
    static const QSet<QString> pronouns = {
        QStringLiteral("моей"),  QStringLiteral("твоей"), QStringLiteral("своей"), QStringLiteral("нашей"),
        QStringLiteral("вашей"), QStringLiteral("всей"),  QStringLiteral("этой"),  QStringLiteral("той"),
        QStringLiteral("одной"), QStringLiteral("самой"), QStringLiteral("какой"),
    };
    if (pronouns.contains(word))
        return true;
    if (russianVowelCount(word) < 2 || word == u"его" || word == u"ничего" || word == u"нечего")
        return false;
    return endsWithAny(word, {u"ого", u"его", u"ой", u"ней", u"шей", u"жей", u"чей", u"щей"});
}

// A word that agrees with a plural noun after it: "эти глаза", "белые стены".
bool agreesWithPlural(const QString &word)
{
    static const QSet<QString> determiners = {
        QStringLiteral("эти"),  QStringLiteral("те"),    QStringLiteral("все"),   QStringLiteral("мои"),
        QStringLiteral("твои"), QStringLiteral("свои"),  QStringLiteral("наши"),  QStringLiteral("ваши"),
        QStringLiteral("чьи"),  QStringLiteral("какие"), QStringLiteral("такие"), QStringLiteral("обе"),
    };
    return determiners.contains(word) || (russianVowelCount(word) >= 2 && endsWithAny(word, {u"ые", u"ие"}));
}

// An infinitive, which a verb form before it governs ("начала́ осматриваться",
// "жила́ бы"): nouns, numerals and adverbs in "-ть" are common, so the
// commonest of them and the "-ость", "-есть", "-дцать" words do not count.
bool isInfinitive(const QString &word)
{
    static const QSet<QString> nouns = {
        QStringLiteral("мать"),   QStringLiteral("путь"),     QStringLiteral("часть"),     QStringLiteral("власть"),
        QStringLiteral("смерть"), QStringLiteral("сеть"),     QStringLiteral("нить"),      QStringLiteral("кость"),
        QStringLiteral("гость"),  QStringLiteral("треть"),    QStringLiteral("знать"),     QStringLiteral("рать"),
        QStringLiteral("суть"),   QStringLiteral("ртуть"),    QStringLiteral("муть"),      QStringLiteral("печать"),
        QStringLiteral("опять"),  QStringLiteral("вспять"),   QStringLiteral("пять"),      QStringLiteral("девять"),
        QStringLiteral("десять"), QStringLiteral("скатерть"), QStringLiteral("благодать"),
    };
    if (russianVowelCount(word) < 1 || nouns.contains(word) || endsWithAny(word, {u"ость", u"есть", u"дцать"}))
        return false;
    return endsWithAny(word, {u"ть", u"ться", u"тись", u"чься"});
}

// A word with the ending of a past-tense verb in the singular: "начал",
// "жила", "было". Not the plural "-ли": "по пы́ли" would read as the
// imperative "пыли́".
bool isPastTense(const QString &word)
{
    return endsWithAny(word, {u"л", u"ла", u"ло"});
}

// A past-tense verb in the plural, which a plural noun before it is the
// subject of: "глаза́ блестели", "звёзды погасли". Nouns in "-ли" are
// common, so the commonest of them do not count.
bool isPastPlural(const QString &word)
{
    static const QSet<QString> nouns = {
        QStringLiteral("земли"),   QStringLiteral("воли"),  QStringLiteral("боли"),   QStringLiteral("соли"),
        QStringLiteral("пыли"),    QStringLiteral("дали"),  QStringLiteral("стали"),  QStringLiteral("цели"),
        QStringLiteral("недели"),  QStringLiteral("мели"),  QStringLiteral("петли"),  QStringLiteral("ели"),
        QStringLiteral("постели"), QStringLiteral("мысли"), QStringLiteral("капли"),  QStringLiteral("сабли"),
        QStringLiteral("модели"),  QStringLiteral("доли"),  QStringLiteral("роли"),   QStringLiteral("пели"),
        QStringLiteral("или"),     QStringLiteral("шали"),  QStringLiteral("печали"), QStringLiteral("дуэли"),
        QStringLiteral("метели"),  QStringLiteral("двери"), QStringLiteral("мебели"), QStringLiteral("оттепели"),
    };
    return russianVowelCount(word) >= 2 && !nouns.contains(word) && word.endsWith(u"ли");
}

// A plural noun that is the subject of the plural verb after it: "Слёзы
// были", "и глаза́ смотрели". Only where the word before cannot govern a
// genitive (the start of a clause, a conjunction, a particle): after a noun
// or a possessive the homograph is more often a genitive ("глубины души́
// волновали", "её тона́ Долли").
// A name in "-ли" ("начала Долли") is no verb: words with a verb reading
// are left.
std::optional<Stressing> pluralSubject(const QString &word, const QList<Stressing> &stressings,
                                       const WordContext &context)
{
    static const QSet<QString> clauseOpeners = {
        QStringLiteral("и"),     QStringLiteral("а"),    QStringLiteral("но"),     QStringLiteral("да"),
        QStringLiteral("не"),    QStringLiteral("уже"),  QStringLiteral("что"),    QStringLiteral("как"),
        QStringLiteral("когда"), QStringLiteral("где"),  QStringLiteral("тут"),    QStringLiteral("там"),
        QStringLiteral("вот"),   QStringLiteral("даже"), QStringLiteral("только"), QStringLiteral("тоже"),
        QStringLiteral("же"),    QStringLiteral("если"), QStringLiteral("потому"), QStringLiteral("чтобы"),
    };
    if (!isPastPlural(context.next) || (!context.previous.isEmpty() && !clauseOpeners.contains(context.previous)))
        return std::nullopt;
    const bool verb =
        std::any_of(stressings.cbegin(), stressings.cend(), [](const Stressing &s) { return s.readings & VerbForm; });
    if (verb || russianVowelCount(word) < 2)
        return std::nullopt;
    return onlyOneOfKind(stressings, NounNominativePlural);
}

// Homographs whose stress tells the case and number of a noun form
// (стороны́ / сто́роны, го́рода / города́), a verb from a noun (она начала́ /
// нача́ла), or the second locative (на лету́), decided by the word before:
// a preposition that never takes an accusative asks for the genitive; "в",
// "на" and the other accusative prepositions for the second locative or the
// accusative plural; an agreeing word for its number; a subject pronoun for
// a verb. A stressing is taken only when it alone can be the form asked for.
std::optional<Stressing> byGrammar(const QString &word, const QList<Stressing> &stressings, const WordContext &context)
{
    static const QSet<QString> genitivePrepositions = {
        QStringLiteral("без"),      QStringLiteral("для"),      QStringLiteral("до"),      QStringLiteral("из"),
        QStringLiteral("изо"),      QStringLiteral("от"),       QStringLiteral("ото"),     QStringLiteral("у"),
        QStringLiteral("около"),    QStringLiteral("возле"),    QStringLiteral("кроме"),   QStringLiteral("после"),
        QStringLiteral("вокруг"),   QStringLiteral("среди"),    QStringLiteral("мимо"),    QStringLiteral("против"),
        QStringLiteral("вместо"),   QStringLiteral("вдоль"),    QStringLiteral("посреди"), QStringLiteral("сверх"),
        QStringLiteral("близ"),     QStringLiteral("подле"),    QStringLiteral("вне"),     QStringLiteral("внутри"),
        QStringLiteral("ради"),     QStringLiteral("с"),        QStringLiteral("со"),      QStringLiteral("из-за"),
        QStringLiteral("из-под"),   QStringLiteral("напротив"), QStringLiteral("позади"),  QStringLiteral("впереди"),
        QStringLiteral("накануне"),
    };
    static const QSet<QString> accusativePrepositions = {
        QStringLiteral("в"),   QStringLiteral("во"),    QStringLiteral("на"),
        QStringLiteral("за"),  QStringLiteral("под"),   QStringLiteral("подо"),
        QStringLiteral("про"), QStringLiteral("через"), QStringLiteral("сквозь"),
    };
    static const QSet<QString> subjects = {
        QStringLiteral("я"),  QStringLiteral("ты"), QStringLiteral("он"),  QStringLiteral("она"), QStringLiteral("оно"),
        QStringLiteral("мы"), QStringLiteral("вы"), QStringLiteral("они"), QStringLiteral("кто"),
    };
    static const QSet<QString> possessives = {QStringLiteral("его"), QStringLiteral("ее"), QStringLiteral("их")};
    // A past-tense verb form that governs the next word: "жила́ бы", "начала́
    // писать". Only the past: a present form or a gerund of a rare verb
    // ("случа́я", "свежу́ю") is far less likely than the noun or adjective.
    if (context.next == u"бы" || context.next == u"б" || isInfinitive(context.next))
        if (isPastTense(word))
            if (const auto verb = onlyOneOfKind(stressings, VerbForm))
                return verb;
    // "его", "её", "их" between a preposition and its noun leave the case
    // to the preposition: "из-за его спины́".
    const QString &previous = possessives.contains(context.previous)
                                      && (genitivePrepositions.contains(context.beforePrevious)
                                          || accusativePrepositions.contains(context.beforePrevious))
                                  ? context.beforePrevious
                                  : context.previous;
    if (const auto subject = pluralSubject(word, stressings, context))
        return subject;
    if (previous.isEmpty())
        return std::nullopt;
    if (genitivePrepositions.contains(previous))
        return onlyOneOfKind(stressings, NounGenitiveSingular);
    if (accusativePrepositions.contains(previous)) {
        if (const auto locative = onlyOneOfKind(stressings, NounSecondLocative))
            return locative;
        return onlyOneOfKind(stressings, NounNominativePlural);
    }
    if (subjects.contains(previous))
        return onlyOneOfKind(stressings, VerbForm);
    if (agreesWithPlural(previous))
        return onlyOneOfKind(stressings, NounNominativePlural);
    if (agreesWithGenitiveSingular(previous))
        return onlyOneOfKind(stressings, NounGenitiveSingular);
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
    if (const auto usual = usualReading(word, stressings, context))
        return usual;
    return byGrammar(word, stressings, context);
}
