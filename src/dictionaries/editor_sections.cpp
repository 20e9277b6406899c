#include "dictionaries/editor_sections.h"

#include "dictionaries/entry_markers.h"

int sectionOf(int mode, bool caseSensitive)
{
    if (mode == 3)
        return caseSensitive ? 1 : 2;
    if (caseSensitive)
        return 3;
    return mode == 0 ? 5 : 4;
}

void splitIntoSections(EditorRecords &records)
{
    for (int s = 1; s < kSectionCount; ++s)
        records[s].clear();
    const DictionaryTable &all = records[0];
    for (int i = 0; i < all.count(); ++i)
        records[sectionOf(all.modes[i], all.caseFlags[i])].appendFrom(all, i);
}

void joinSections(EditorRecords &records)
{
    records[0].clear();
    for (int s = 1; s < kSectionCount; ++s)
        for (int i = 0; i < records[s].count(); ++i)
            records[0].appendFrom(records[s], i);
}

QList<DicRow> rowsFromTable(const DictionaryTable &table)
{
    QList<DicRow> rows;
    rows.reserve(table.count());
    for (int i = 0; i < table.count(); ++i)
        rows.append({addMarkers(table.keys[i], table.modes[i]), table.replacements[i],
                     table.caseFlags[i] ? kCaseSensitiveMark : QString()});
    return rows;
}

DictionaryTable tableFromRows(const QList<DicRow> &rows)
{
    DictionaryTable table;
    for (const DicRow &row : rows) {
        const qint16 mode = entryMode(row.word);
        table.append(stripMarkers(row.word, mode), row.pronunciation, row.flag == kCaseSensitiveMark, mode);
    }
    return table;
}
