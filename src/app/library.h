#pragma once
// The library: the book projects under "Projects", and deleting them.

#include <QString>
#include <QStringList>

// What deleting asks the user. The main window answers with message boxes,
// tests with scripted answers.
class LibraryPrompts
{
public:
    virtual ~LibraryPrompts() = default;
    // "Удалить выделеную книгу?" — Yes is true.
    virtual bool confirmDeleteBook() = 0;
    // "Будут удалены ВСЕ книги из библиотеки!" — Yes is true.
    virtual bool confirmClearLibrary() = 0;
    // The folder could not be deleted; true is Retry, false Cancel.
    virtual bool retryLockedFolder(const QString &message) = 0;
};

// The book folders in the order the file system gives them. The legacy file
// "Project.cfg" in the root is deleted on the way. An unreadable root gives
// an empty library.
QStringList LoadList(const QString &programFolder);

// Index of the first entry equal to `book` (exact case), or -1.
int FindBook(const QStringList &books, const QString &book);

// The Retry/Cancel message for a folder that would not go; the single delete
// quotes the path, clearing the whole library does not.
QString lockedFolderMessage(const QString &folder, bool quoted);

// Deletes one book after asking; true when something was deleted or tried
// (the list must then be rebuilt). A name that is not a plain folder name
// ("..", "a/b") deletes nothing.
bool DeleteBook(const QString &programFolder, const QString &book, LibraryPrompts &prompts);

// Deletes every book in list order after asking; Cancel on a locked folder
// stops the whole clearing. True when the user agreed to clear.
bool LibClear(const QString &programFolder, const QStringList &books, LibraryPrompts &prompts);
