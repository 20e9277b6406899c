#include "dictionaries/dictionary_table.h"

void DictionaryTable::append(const QString &key, const QString &replacement, bool caseSensitive, qint16 mode)
{
    keys.append(key);
    replacements.append(replacement);
    caseFlags.append(caseSensitive);
    modes.append(mode);
}

void DictionaryTable::appendFrom(const DictionaryTable &other, int index)
{
    append(other.keys.at(index), other.replacements.at(index), other.caseFlags.at(index), other.modes.at(index));
}

void DictionaryTable::clear()
{
    keys.clear();
    replacements.clear();
    caseFlags.clear();
    modes.clear();
}
