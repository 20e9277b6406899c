#pragma once
// An entry table: the entries of one or more dictionaries in the order they
// were read. The engine rewrites speech text with one (the active table); the
// editor and the tools keep their own.

#include <QList>
#include <QString>
#include <QStringList>

struct DicTable
{
    QStringList Keys;         // bare keys: "$" and the boundary markers removed
    QStringList Replacements;
    QList<bool> CaseFlags;    // true: the key matches with exact letter case
    QList<qint16> Modes;      // boundary mode 0..8, -1 for an empty key

    int Count() const { return int(Keys.size()); }
    void append(const QString &key, const QString &replacement, bool caseSensitive, qint16 mode);
    void appendFrom(const DicTable &other, int index);
    void clear();
    bool operator==(const DicTable &) const = default;
};
