#include "dictionaries/entry_safety.h"

#include "dictionaries/entry_markers.h"
#include "dictionaries/replace_bounded.h"

#include <array>

bool entryIsSafe(const QString &key, bool caseSensitive)
{
    // Tested without the spaces that surround them in book text, so "{" and
    // "}" are the outer neighbours, and those are not delimiters.
    static const std::array<QString, 5> markers = {QStringLiteral("{повествование->}"), QStringLiteral("{автор->}"),
                                                   QStringLiteral("{пауза->}"), QStringLiteral("{речь->}"),
                                                   QStringLiteral("{речь2->}")};
    // A key with a letter no marker holds (in any case) occurs in none of
    // them: most keys, which spares loading a large dictionary the searches.
    static const QString markerLetters = [] {
        QString all;
        for (const QString &marker : markers)
            all += marker.toCaseFolded();
        return all;
    }();
    const BoundaryMode mode = entryMode(key);
    const QString bare = stripMarkers(key, mode);
    for (const QChar c : bare)
        if (!c.isSurrogate() && !markerLetters.contains(c.toCaseFolded()))
            return true;
    for (const QString &marker : markers) {
        if (replaceBounded(marker, bare, QStringLiteral("abrakadabra"), mode, caseSensitive) != marker)
            return false;
    }
    return true;
}
