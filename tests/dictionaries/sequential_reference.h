#pragma once
// The plain sequential rewrite, written step by step as the rules state it:
// every entry runs over the whole text, in table order. It is the yardstick
// the engine is compared with (tests and benchmark); it is deliberately slow.

#include "dictionaries/dictionary_table.h"

#include <QString>

QString referenceReplaceBounded(const QString &text, const QString &key, const QString &replacement, int mode,
                                bool caseSensitive);
QString referenceApply(const DictionaryTable &table, const QString &text);
