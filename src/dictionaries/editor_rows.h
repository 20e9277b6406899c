#pragma once
// What the dictionary editor does with the rows of its list beyond showing
// them: re-marking a key, finding rows, and the check for repeated words.

#include "dictionaries/editor_sections.h"
#include "dictionaries/tool_progress.h"

#include <QList>
#include <QString>

// Whether a row's entry keeps letter case: "$" in an own dictionary, the
// absence of "/i" in the speech engine's list.
bool rowKeepsCase(const DicRow &row, bool engineRows);

// The marker button: a left click steps through the "*" forms of a key
// (word, word*, *word, *word*), a right click through all nine forms. An
// empty word stays empty.
QString nextMarkedWord(const QString &word, bool allForms);

// The first row whose word, without a leading "*", begins with `typed`
// (letter case aside); -1 when none does or `typed` is empty.
int rowStartingWith(const QList<DicRow> &rows, const QString &typed);

// Where `word` belongs among the rows in alphabetical order (letter case and
// markers aside): the first row that sorts after it, or the row count.
int alphabeticalPosition(const QList<DicRow> &rows, const QString &word);

// The first row whose entry, applied alone, changes the text with one space
// on either side; -1 when none does.
int rowChangingText(const QList<DicRow> &rows, const QString &text, bool engineRows);

struct RepeatCheck
{
    QList<int> repeats;   // ascending: rows to remove
    int conflictRow = -1; // a repeated word with another pronunciation
    bool cancelled = false;
};

// Rows are one word when they have the same case rule and their words are
// equal, exactly for entries that keep case and letter case aside otherwise.
// Going from the last row up, a row that repeats an earlier word is marked
// when both have the same pronunciation or `removeDifferent` is set;
// otherwise the check stops at that row and nothing is marked. Progress
// "Поиск... n%".
RepeatCheck findRepeatedRows(const QList<DicRow> &rows, bool engineRows, bool removeDifferent,
                             const ToolProgress &progress = {});

// The rows without the given ones (ascending indexes).
QList<DicRow> withoutRows(const QList<DicRow> &rows, const QList<int> &removed);

// Appends a removed key as a line of the deleted-words file
// ("trashdic.txt"), creating it when needed.
bool appendDeletedKey(const QString &path, const QString &key);
