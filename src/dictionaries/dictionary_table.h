#pragma once
// An entry table: the entries of one or more dictionaries in the order they
// were read. The engine rewrites speech text with one (the active table); the
// editor and the tools keep their own.

#include <QList>
#include <QString>
#include <QStringList>

struct DictionaryTable
{
    QStringList keys; // bare keys: "$" and the boundary markers removed
    QStringList replacements;
    QList<bool> caseFlags; // true: the key matches with exact letter case
    QList<qint16> modes;   // boundary mode 0..8, -1 for an empty key

    int count() const { return int(keys.size()); }
    void append(const QString &key, const QString &replacement, bool caseSensitive, qint16 mode);
    void appendFrom(const DictionaryTable &other, int index);
    void clear();
    bool operator==(const DictionaryTable &) const = default;
};
