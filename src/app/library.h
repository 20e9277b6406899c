#pragma once
// The library: the book projects under "Projects", and deleting them.

#include "common/user_dialogs.h"

#include <QString>
#include <QStringList>

// The book folders in the order the file system gives them. The legacy file
// "Project.cfg" in the root is deleted on the way. An unreadable root gives
// an empty library.
QStringList loadList(const QString &programFolder);

// Index of the first entry equal to `book` (exact case), or -1.
int findBook(const QStringList &books, const QString &book);

// The Retry/Cancel message for a folder that would not go; the single delete
// quotes the path, clearing the whole library does not.
QString lockedFolderMessage(const QString &folder, bool quoted);

// Deletes one book after asking; true when the user agreed (the list must
// then be rebuilt). A folder that would not go is retried while the user
// answers Retry. A name that is not a plain folder name ("..", "a/b")
// deletes nothing.
bool deleteBook(const QString &programFolder, const QString &book, UserDialogs &dialogs);

// Deletes every book in list order after asking; Cancel on a locked folder
// stops the whole clearing. True when the user agreed to clear.
bool clearLibrary(const QString &programFolder, const QStringList &books, UserDialogs &dialogs);
