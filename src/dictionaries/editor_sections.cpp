#include "dictionaries/editor_sections.h"

#include "dictionaries/entry_markers.h"

int sectionOf(BoundaryMode mode, bool caseSensitive)
{
    if (mode == BoundaryMode::DelimiterBeforeAndAfter)
        return caseSensitive ? 1 : 2;
    if (caseSensitive)
        return 3;
    return mode == BoundaryMode::Anywhere ? 5 : 4;
}

void splitIntoSections(EditorRecords &records)
{
    for (int s = 1; s < kSectionCount; ++s)
        records[s].clear();
    for (const DictionaryEntry &entry : records[0])
        records[sectionOf(entry.mode, entry.caseSensitive)].append(entry);
}

void joinSections(EditorRecords &records)
{
    records[0].clear();
    for (int s = 1; s < kSectionCount; ++s)
        records[0].append(records[s]);
}

QList<DicRow> rowsFromTable(const DictionaryTable &table)
{
    QList<DicRow> rows;
    rows.reserve(table.size());
    for (const DictionaryEntry &entry : table)
        rows.append({addMarkers(entry.key, entry.mode), entry.replacement,
                     entry.caseSensitive ? kCaseSensitiveMark : QString()});
    return rows;
}

DictionaryTable tableFromRows(const QList<DicRow> &rows)
{
    DictionaryTable table;
    for (const DicRow &row : rows) {
        const BoundaryMode mode = entryMode(row.word);
        table.append({stripMarkers(row.word, mode), row.pronunciation, row.flag == kCaseSensitiveMark, mode});
    }
    return table;
}
