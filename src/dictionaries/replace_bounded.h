#pragma once
// Replacing the occurrences of a dictionary key that pass the entry's
// boundary test. The text is split at every occurrence of the key, left to
// right and without overlap; an occurrence is replaced when the characters
// beside it satisfy the mode (see entry_markers.h). The neighbours are taken
// from the input text; an occurrence that directly follows or precedes
// another one has no neighbour on that side, and a missing neighbour is never
// a delimiter. An occurrence that fails its test stays whole, in its own
// letter case, and the search goes on after it.

#include "dictionaries/entry_markers.h"

#include <QList>
#include <QString>

#include <limits>

// Whether an occurrence with these neighbours is replaced under `mode`
// (a mode that cannot match never replaces).
bool boundaryAllows(BoundaryMode mode, bool delimiterBefore, bool delimiterAfter);

QString replaceBounded(const QString &text, const QString &key, const QString &replacement, BoundaryMode mode,
                       bool caseSensitive);

// Where a rewrite put a replacement: [start, end) in the rewritten text (an
// empty span where it deleted the occurrence), in place of the occurrence at
// [oldStart, oldEnd) of the text before.
struct ReplacedSpan
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype oldStart = 0;
    qsizetype oldEnd = 0;
};

// replaceBounded in place; true when at least one occurrence was replaced,
// with the spans of the replacements appended to `spans`. The rewrite stops
// as soon as its result passes `maxLength` characters: `text` is then that
// unfinished result, longer than `maxLength`, so a runaway replacement never
// costs more memory than the caller allows.
bool replaceBoundedTracked(QString &text, const QString &key, const QString &replacement, BoundaryMode mode,
                           bool caseSensitive, QList<ReplacedSpan> &spans,
                           qsizetype maxLength = std::numeric_limits<qsizetype>::max());
