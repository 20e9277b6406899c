#include "dic_table.h"

void DicTable::append(const QString &key, const QString &replacement, bool caseSensitive,
                      qint16 mode)
{
    Keys.append(key);
    Replacements.append(replacement);
    CaseFlags.append(caseSensitive);
    Modes.append(mode);
}

void DicTable::appendFrom(const DicTable &other, int index)
{
    append(other.Keys.at(index), other.Replacements.at(index), other.CaseFlags.at(index),
           other.Modes.at(index));
}

void DicTable::clear()
{
    Keys.clear();
    Replacements.clear();
    CaseFlags.clear();
    Modes.clear();
}
