#pragma once
// The dictionary editor's view of one dictionary: record 0 holds every entry
// in file order, records 1..5 the same entries grouped by kind, so the user
// can work on names, plain words and substitutions apart. Rows are what the
// editor's list shows: the key with its markers, the replacement and "$" for
// an entry that keeps letter case.

#include "dictionaries/dictionary_table.h"

#include <QList>
#include <QString>

#include <array>

constexpr int kSectionCount = 6; // 0 is the whole dictionary

using EditorRecords = std::array<DictionaryTable, kSectionCount>;

// 1: whole words that keep case; 2: whole words; 3: every other mode
// (substrings included) that keeps case; 4: case-blind beginnings, endings
// and insides; 5: case-blind substrings.
int sectionOf(BoundaryMode mode, bool caseSensitive);

// Empties records 1..5 and deals record 0 out to them, entry by entry.
void splitIntoSections(EditorRecords &records);
// Empties record 0 and appends sections 1 to 5 in that order.
void joinSections(EditorRecords &records);

struct DicRow
{
    QString word; // key with its markers
    QString pronunciation;
    QString flag; // "$" (own dictionaries) or "/i" (the engine's list)
    bool operator==(const DicRow &) const = default;
};

inline const QString kCaseSensitiveMark = QStringLiteral("$");

// FillDicList / ReadDicList: a record as rows and back.
QList<DicRow> rowsFromTable(const DictionaryTable &table);
DictionaryTable tableFromRows(const QList<DicRow> &rows);
