#pragma once
// The batch operations over dictionary files: subtraction, repeat removal,
// splitting, merging and stress-mark conversion. Each reads its sources with
// the ordinary dictionary reader and writes dictionary files; a cancelled
// run writes nothing, and no operation ever writes to its source unless the
// caller chose the source as the target.

#include "dictionaries/dictionary_table.h"
#include "dictionaries/tool_progress.h"

#include <QString>
#include <QStringList>

struct OperationResult
{
    bool cancelled = false;
    bool failed = false; // a file could not be read or written
    int removed = 0;     // entries left out (subtraction, repeats)
    QStringList written; // the files written, in order
};

// "name.dic" -> "name_1.dic", the default target of subtraction and repeat removal.
QString defaultTargetName(const QString &sourceName, const QString &suffix = QStringLiteral("_1"));

// Two entries match for subtraction and repeat removal when they have the
// same mode, the same case flag, equal keys and, unless `keyOnly`, equal
// replacements; case-blind entries compare in small letters.

// Entries of `source` that match no entry of `other`, written to `target`
// (entry lines only). Status: "Удалено n записей в словаре name".
OperationResult subtractDictionaries(const QString &source, const QString &other, const QString &target, bool keyOnly,
                                     const ToolProgress &progress = {});

// Keeps the last of every group of matching entries, at its own position.
OperationResult removeRepeats(const QString &source, const QString &target, bool keyOnly,
                              const ToolProgress &progress = {});

// Entries per part when the user asks for `parts` parts: count / parts + 1.
int entriesPerPartFor(int entryCount, int parts);

// Parts "name_part1.dic", "name_part2.dic", ... beside the source, each with
// at most `entriesPerPart` entries.
OperationResult splitDictionary(const QString &source, int entriesPerPart, const ToolProgress &progress = {});

// The header, then every entry of the sources in order; repeats stay.
OperationResult mergeDictionaries(const QStringList &sources, const QString &target, const ToolProgress &progress = {});

enum class StressConversion {
    AngleToGrave, // "<" becomes the grave accent, ">" is dropped
    GraveToAngle, // the grave accent becomes "<"
};
QString convertStressMarks(const QString &text, StressConversion conversion);
OperationResult convertDictionaryStress(const QString &source, const QString &target, StressConversion conversion,
                                        const ToolProgress &progress = {});
