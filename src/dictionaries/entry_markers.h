#pragma once
// Boundary markers of dictionary keys. The first and the last character of a
// key may be "*" (anything may stand on that side) or "&" (a non-delimiter
// must stand there); without a marker a delimiter must stand there. The nine
// combinations are the entry's boundary mode:
//
//   mode  before match     after match      written as
//    0    anything         anything         *key*
//    1    delimiter        anything         key*
//    2    anything         delimiter        *key
//    3    delimiter        delimiter        key
//    4    non-delimiter    non-delimiter    &key&
//    5    delimiter        non-delimiter    key&
//    6    non-delimiter    delimiter        &key
//    7    anything         non-delimiter    *key&
//    8    non-delimiter    anything         &key*
//
// The numbers are part of the mode: the dictionary tools compare entries by
// them, so they stay as they are.

#include <QString>

// Each name says what must stand before and after an occurrence of the key;
// a side it does not name may hold anything.
enum class BoundaryMode : qint16 {
    MatchesNothing = -1, // an empty key
    Anywhere = 0,
    DelimiterBefore = 1,
    DelimiterAfter = 2,
    DelimiterBeforeAndAfter = 3,
    NonDelimiterBeforeAndAfter = 4,
    DelimiterBeforeNonDelimiterAfter = 5,
    NonDelimiterBeforeDelimiterAfter = 6,
    NonDelimiterAfter = 7,
    NonDelimiterBefore = 8,
};

// Whether `mode` is one of the nine modes that can match (an entry of any
// other value matches nothing).
constexpr bool canMatch(BoundaryMode mode)
{
    return mode >= BoundaryMode::Anywhere && mode <= BoundaryMode::NonDelimiterBefore;
}

BoundaryMode entryMode(const QString &key);
QString stripMarkers(const QString &key, BoundaryMode mode);
QString addMarkers(const QString &key, BoundaryMode mode);
