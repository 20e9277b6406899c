#pragma once
// Boundary markers of dictionary keys. The first and the last character of a
// key may be "*" (anything may stand on that side) or "&" (a non-delimiter
// must stand there); without a marker a delimiter must stand there. The nine
// combinations are the entry's mode:
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

#include <QString>

constexpr qint16 kNoMode = -1; // an empty key: matches nothing

qint16 entryMode(const QString &key);
QString stripMarkers(const QString &key, int mode);
QString addMarkers(const QString &key, int mode);
