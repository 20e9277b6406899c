#include "editor_sections.h"

#include "entry_markers.h"

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
    const DicTable &all = records[0];
    for (int i = 0; i < all.Count(); ++i)
        records[sectionOf(all.Modes[i], all.CaseFlags[i])].appendFrom(all, i);
}

void joinSections(EditorRecords &records)
{
    records[0].clear();
    for (int s = 1; s < kSectionCount; ++s)
        for (int i = 0; i < records[s].Count(); ++i)
            records[0].appendFrom(records[s], i);
}

QList<DicRow> rowsFromTable(const DicTable &table)
{
    QList<DicRow> rows;
    rows.reserve(table.Count());
    for (int i = 0; i < table.Count(); ++i)
        rows.append({AddMarkers(table.Keys[i], table.Modes[i]), table.Replacements[i],
                     table.CaseFlags[i] ? kCaseSensitiveMark : QString()});
    return rows;
}

DicTable tableFromRows(const QList<DicRow> &rows)
{
    DicTable table;
    for (const DicRow &row : rows) {
        const qint16 mode = EntryMode(row.word);
        table.append(StripMarkers(row.word, mode), row.pronunciation, row.flag == kCaseSensitiveMark, mode);
    }
    return table;
}
