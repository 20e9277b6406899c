#pragma once
// An entry table: the entries of one or more dictionaries in the order they
// were read. The engine rewrites speech text with one (the active table); the
// editor and the tools keep their own.

#include "dictionaries/entry_markers.h"

#include <QList>
#include <QString>

struct DictionaryEntry
{
    QString key; // bare: "$" and the boundary markers removed
    QString replacement;
    bool caseSensitive = false; // the key matches with exact letter case
    BoundaryMode mode = BoundaryMode::MatchesNothing;
    bool operator==(const DictionaryEntry &) const = default;
};

using DictionaryTable = QList<DictionaryEntry>;
