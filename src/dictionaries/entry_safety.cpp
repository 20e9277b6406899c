#include "entry_safety.h"

#include "entry_markers.h"
#include "replace_bounded.h"

#include <array>

bool EntryIsSafe(const QString &key, bool caseSensitive)
{
    // Tested without the spaces that surround them in book text, so "{" and
    // "}" are the outer neighbours, and those are not delimiters.
    static const std::array<QString, 5> markers = {
        QStringLiteral("{повествование->}"), QStringLiteral("{автор->}"),
        QStringLiteral("{пауза->}"), QStringLiteral("{речь->}"), QStringLiteral("{речь2->}")};
    const qint16 mode = EntryMode(key);
    const QString bare = StripMarkers(key, mode);
    for (const QString &marker : markers) {
        if (ReplaceBounded(marker, bare, QStringLiteral("abrakadabra"), mode, caseSensitive) != marker)
            return false;
    }
    return true;
}
