#pragma once
// The dictionary list: every ".dic" file of the dictionary folder, in
// case-blind alphabetical order (which is also the order they rewrite text
// in), with the flag that says whether it takes part in speech. The flags
// live in the folder's list file; which dictionaries exist is decided by the
// folder alone.

#include <QList>
#include <QString>
#include <QStringList>

inline const QString kDicListFileName = QStringLiteral("Diclist.cfg");

struct ListedDictionary
{
    QString name; // bare file name
    bool enabled = false;
    bool operator==(const ListedDictionary &) const = default;
};

using DictionaryList = QList<ListedDictionary>;

// A file of the dictionary folder. Names there compare without regard to
// case: an existing "diclist.cfg" is the list file "Diclist.cfg", and a new
// "Names.DIC" is the existing "names.dic".
QString pathInDictionaryFolder(const QString &dictionaryFolder, const QString &name);
QString dicListPath(const QString &dictionaryFolder);

// The ".dic" files of the folder (the extension in any letter case), sorted.
QStringList dictionaryFileNames(const QString &dictionaryFolder);

// Orders the list ascending by name without regard to case, each flag moving
// with its name (a stable sort: names equal but for case keep their order).
void sortDicList(DictionaryList &list);

// Rebuilds the list from the folder and the list file. Without a list file
// the folder is created if needed, every dictionary is enabled and the list
// file is written; otherwise dictionaries without a record stay disabled.
DictionaryList loadDictionaryList(const QString &dictionaryFolder);

// Writes the list file from the list; false when it could not be written.
bool saveDictionaryList(const QString &dictionaryFolder, const DictionaryList &list);
