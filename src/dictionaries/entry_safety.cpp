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
    const BoundaryMode mode = entryMode(key);
    const QString bare = stripMarkers(key, mode);
    for (const QString &marker : markers) {
        if (replaceBounded(marker, bare, QStringLiteral("abrakadabra"), mode, caseSensitive) != marker)
            return false;
    }
    return true;
}
