#include "stress/prepositions.h"

#include <QHash>
#include <QString>

namespace {

using C = GrammaticalCase;

QHash<QString, Preposition> makePrepositions()
{
    QHash<QString, Preposition> table;
    auto add = [&](std::initializer_list<const char16_t *> words, Preposition preposition) {
        for (const char16_t *w : words)
            table.insert(QString::fromUtf16(w), preposition);
    };
    add({u"в", u"во", u"на"}, {{C::Accusative, C::Prepositional}, true, {}});
    table[QStringLiteral("на")].dateCase = C::Accusative; // "на пятое мая"
    add({u"о", u"об", u"обо", u"при"}, {{C::Prepositional}, false, C::Prepositional});
    add({u"по"}, {{C::Dative, C::Accusative}, false, C::Accusative});
    add({u"к", u"ко"}, {{C::Dative}, false, C::Dative});
    add({u"с", u"со"}, {{C::Genitive, C::Instrumental}, false, C::Genitive});
    add({u"за", u"под", u"подо"}, {{C::Accusative, C::Instrumental}, false, {}});
    table[QStringLiteral("за")].dateCase = C::Accusative; // "отчёт за пятое мая"
    add({u"над", u"надо", u"перед", u"передо", u"между"}, {{C::Instrumental}, false, C::Instrumental});
    add({u"через", u"про", u"сквозь"}, {{C::Accusative}, false, C::Accusative});
    add({u"до",    u"от",     u"ото",    u"из",     u"изо",    u"у",      u"без",     u"для",      u"около",
         u"после", u"вокруг", u"против", u"кроме",  u"среди",  u"вместо", u"возле",   u"накануне", u"ради",
         u"свыше", u"более",  u"менее",  u"больше", u"меньше", u"позже",  u"позднее", u"раньше",   u"ранее"},
        {{C::Genitive}, false, C::Genitive});
    return table;
}

} // namespace

const Preposition *prepositionOf(QStringView word)
{
    static const QHash<QString, Preposition> kPrepositions = makePrepositions();
    const auto it = kPrepositions.constFind(word.toString());
    return it == kPrepositions.constEnd() ? nullptr : &it.value();
}
