#pragma once
// Which blocks a dictionary change touches: every block of the books asked is
// rewritten with the dictionaries as they were and as they are, each through
// the stresses, and the blocks whose spoken text differs are the ones the
// change is heard in. A text search for the entry's key would count words the
// entry's boundaries or case leave alone, and miss what a chain of entries
// makes of them.

#include "dictionaries/dictionaries.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct TouchedBook
{
    QString book;
    QList<int> blocks; // ascending
};

struct TouchedBlocks
{
    // The books with a touched block, in the order asked.
    QList<TouchedBook> books;
    // The dictionaries could not rewrite a block (the count stopped there).
    QString failure;
    // False when keepGoing stopped the count.
    bool complete = true;

    QList<int> blocksOf(const QString &book) const;
    // Touched blocks in the books other than `book`, and those books.
    int blocksElsewhere(const QString &book) const;
    int booksElsewhere(const QString &book) const;
};

// For the user: how many blocks of which books the change is heard in.
QString touchedBlocksText(const TouchedBlocks &touched);

// The enabled dictionaries of the program folder as their files are now.
std::unique_ptr<Dictionaries> enabledDictionaries(const QString &programFolder);

// The blocks of `books` (library names) whose spoken text differs between
// the dictionaries `before` and `after`; `autoStress` as the settings say.
// `keepGoing` is asked between blocks; false stops the count.
TouchedBlocks blocksTouchedByChange(const QString &programFolder, bool autoStress, const QStringList &books,
                                    const Dictionaries &before, const Dictionaries &after,
                                    const std::function<bool()> &keepGoing = {});
