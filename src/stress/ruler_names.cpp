#include "stress/ruler_names.h"

#include "stress/russian_letters.h"

#include <QHash>
#include <QString>

#include <array>

namespace {

using C = GrammaticalCase;

const char16_t *const kMasculineNames[] = {
    u"Пётр",      u"Павел",     u"Лев",       u"Александр", u"Николай",     u"Иван",       u"Иоанн",     u"Фёдор",
    u"Василий",   u"Борис",     u"Михаил",    u"Алексей",   u"Дмитрий",     u"Владимир",   u"Ярослав",   u"Святослав",
    u"Всеволод",  u"Юрий",      u"Изяслав",   u"Мстислав",  u"Людовик",     u"Карл",       u"Генрих",    u"Эдуард",
    u"Ричард",    u"Георг",     u"Яков",      u"Иаков",     u"Вильгельм",   u"Фридрих",    u"Филипп",    u"Франциск",
    u"Франц",     u"Иосиф",     u"Леопольд",  u"Фердинанд", u"Максимилиан", u"Рудольф",    u"Оттон",     u"Конрад",
    u"Лотарь",    u"Густав",    u"Кристиан",  u"Христиан",  u"Олаф",        u"Эрик",       u"Хокон",     u"Казимир",
    u"Сигизмунд", u"Стефан",    u"Владислав", u"Болеслав",  u"Карлос",      u"Мехмед",     u"Сулейман",  u"Селим",
    u"Мурад",     u"Махмуд",    u"Осман",     u"Баязид",    u"Рамзес",      u"Тутмос",     u"Аменхотеп", u"Птолемей",
    u"Антиох",    u"Селевк",    u"Дарий",     u"Кир",       u"Ксеркс",      u"Артаксеркс", u"Юстиниан",  u"Константин",
    u"Феодосий",  u"Анастасий", u"Бенедикт",  u"Пий",       u"Григорий",    u"Иннокентий", u"Климент",   u"Бонифаций",
    u"Урбан",     u"Сикст",     u"Юлий",      u"Адриан",    u"Наполеон",    u"Эммануил",   u"Альбрехт",  u"Людвиг",
    u"Вацлав",    u"Георгий",   u"Ираклий",   u"Давид",     u"Баграт",      u"Вахтанг",    u"Эдмунд",    u"Харальд",
};

const char16_t *const kFeminineNames[] = {u"Екатерина", u"Елизавета", u"Анна",  u"Мария", u"Изабелла", u"Виктория",
                                          u"Маргарита", u"Кристина",  u"Елена", u"Ирина", u"Тамара",   u"Ядвига"};

// The stem the endings go on where it is not the nominative less its ending:
// Пётр - Петра, Павел - Павла, Лев - Льва.
QString obliqueStem(const QString &name)
{
    if (name == u"пётр" || name == u"петр")
        return QStringLiteral("петр");
    if (name == u"павел")
        return QStringLiteral("павл");
    if (name == u"лев")
        return QStringLiteral("льв");
    return name;
}

void addMasculine(QHash<QString, QList<NameReading>> &table, const QString &name)
{
    auto add = [&](const QString &form, C c) { table[foldedRussianWord(form)].append({c, WordGender::Masculine}); };
    add(name, C::Nominative);
    QString stem = obliqueStem(name);
    std::array<const char16_t *, 5> endings; // genitive, dative, accusative, instrumental, prepositional
    if (name.endsWith(u"ий")) {
        stem.chop(1);
        endings = {u"я", u"ю", u"я", u"ем", u"и"};
    } else if (name.endsWith(u'й')) {
        stem.chop(1);
        endings = {u"я", u"ю", u"я", u"ем", u"е"};
    } else if (name.endsWith(u'ь')) {
        stem.chop(1);
        endings = {u"я", u"ю", u"я", u"ем", u"е"};
    } else if (name.endsWith(u'ц')) {
        endings = {u"а", u"у", u"а", u"ем", u"е"};
    } else {
        endings = {u"а", u"у", u"а", u"ом", u"е"};
    }
    const C cases[] = {C::Genitive, C::Dative, C::Accusative, C::Instrumental, C::Prepositional};
    for (int i = 0; i < 5; ++i)
        add(stem + QString::fromUtf16(endings.at(i)), cases[i]);
}

void addFeminine(QHash<QString, QList<NameReading>> &table, const QString &name)
{
    auto add = [&](const QString &form, C c) { table[foldedRussianWord(form)].append({c, WordGender::Feminine}); };
    add(name, C::Nominative);
    const QString stem = name.chopped(1);
    std::array<const char16_t *, 5> endings; // genitive, dative, accusative, instrumental, prepositional
    if (name.endsWith(u"ия"))
        endings = {u"и", u"и", u"ю", u"ей", u"и"};
    else if (QStringView(u"гкхжшчщ").contains(stem.back()))
        endings = {u"и", u"е", u"у", u"ой", u"е"};
    else
        endings = {u"ы", u"е", u"у", u"ой", u"е"};
    const C cases[] = {C::Genitive, C::Dative, C::Accusative, C::Instrumental, C::Prepositional};
    for (int i = 0; i < 5; ++i)
        add(stem + QString::fromUtf16(endings.at(i)), cases[i]);
}

QHash<QString, QList<NameReading>> makeNames()
{
    QHash<QString, QList<NameReading>> table;
    for (const char16_t *name : kMasculineNames)
        addMasculine(table, QString::fromUtf16(name).toLower());
    for (const char16_t *name : kFeminineNames)
        addFeminine(table, QString::fromUtf16(name).toLower());
    return table;
}

bool isCapitalisedRussianWord(QStringView word)
{
    if (word.size() < 2 || !isRussianLetter(word.front()) || !word.front().isUpper())
        return false;
    bool allUpper = true;
    bool restLower = true;
    for (const QChar c : word.mid(1)) {
        if (!isRussianLetter(c))
            return false;
        allUpper = allUpper && c.isUpper();
        restLower = restLower && c.isLower();
    }
    return allUpper || restLower;
}

bool endsInHardConsonant(QStringView word)
{
    const QChar last = word.back().toLower();
    return !isRussianVowelLetter(last) && last != u'й' && last != u'ь' && last != u'ъ';
}

} // namespace

QList<NameReading> rulerNameReadings(QStringView word, bool *listed)
{
    static const QHash<QString, QList<NameReading>> kNames = makeNames();
    if (listed)
        *listed = false;
    if (!isCapitalisedRussianWord(word))
        return {};
    const auto it = kNames.constFind(foldedRussianWord(word));
    if (it != kNames.constEnd()) {
        if (listed)
            *listed = true;
        return it.value();
    }
    if (word.size() >= 3 && endsInHardConsonant(word))
        return {{C::Nominative, WordGender::Masculine}};
    return {};
}
