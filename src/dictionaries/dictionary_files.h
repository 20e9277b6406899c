#pragma once
// Creating, adding, renaming and deleting the files of the dictionary folder
// (the list window's commands). Questions go through UserDialogs; the names
// come from the window's input boxes.

#include "common/user_dialogs.h"

#include <QString>

// A typed name as a dictionary file name: unless it already ends in ".dic"
// (any letter case) it is cleaned like every other file name the program
// makes (cleanFileName) and gets ".dic".
QString dictionaryFileName(const QString &typed);

enum class DictionaryFileResult { Done, Declined, Refused, Failed };

// Writes a new dictionary holding the header line only; an existing file is
// replaced only after the user agrees.
DictionaryFileResult createDictionary(const QString &dictionaryFolder, const QString &typedName, UserDialogs &dialogs);

enum class AddedFileKind {
    Dictionary,       // own or the outside reader program's: copied as it is
    EngineExceptions, // the speech engine's "exc_rus.txt": converted
};

// Adds a file from elsewhere to the folder under its name with ".txt" turned
// into ".dic". A file from the folder itself is refused with a message.
DictionaryFileResult addDictionaryFile(const QString &dictionaryFolder, const QString &chosenPath, AddedFileKind kind,
                                       UserDialogs &dialogs);

DictionaryFileResult renameDictionary(const QString &dictionaryFolder, const QString &name,
                                      const QString &typedNewName);

DictionaryFileResult deleteDictionary(const QString &dictionaryFolder, const QString &name, UserDialogs &dialogs);
