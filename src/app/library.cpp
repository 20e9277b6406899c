#include "app/library.h"

#include "app/folder_removal.h"
#include "app/project_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList loadList(const QString &programFolder)
{
    const QString root = projectsRoot(programFolder);
    QFile::remove(root + QStringLiteral("/Project.cfg"));
    QStringList books =
        QDir(root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    books.removeIf([](const QString &name) { return name.startsWith(kWorkingEntryPrefix); });
    return books;
}

int findBook(const QStringList &books, const QString &book)
{
    return static_cast<int>(books.indexOf(book));
}

QString lockedFolderMessage(const QString &folder, bool quoted)
{
    const QString shown = quoted ? u'"' + folder + u'"' : folder;
    const QString tail =
        QStringLiteral("Закройте другие программы, которые используют этот каталог либо удалите его самостоятельно...");
    return QStringLiteral("Каталог ") + shown
           + QStringLiteral(" используется другим приложением, и не может быть удален.")
           + (quoted ? QStringLiteral("\n") : QStringLiteral(" ")) + tail;
}

namespace {

bool stillThere(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Deletes until the folder is gone or the user cancels; false on Cancel.
bool deleteWithRetry(const QString &programFolder, const QString &book, bool quoted, UserDialogs &dialogs)
{
    if (!isPlainEntryName(book))
        return true;
    const QString root = projectsRoot(programFolder);
    const QString folder = bookFolder(programFolder, book);
    removeFolderInside(root, folder);
    while (stillThere(folder)) {
        const DialogMessage locked{QStringLiteral("Не могу удалить каталог!"),
                                   lockedFolderMessage(QDir::toNativeSeparators(folder), quoted), DialogIcon::Critical,
                                   DialogButtons::RetryCancel};
        if (dialogs.show(locked) != DialogAnswer::Retry)
            return false;
        removeFolderInside(root, folder);
    }
    return true;
}

} // namespace

bool deleteBook(const QString &programFolder, const QString &book, UserDialogs &dialogs)
{
    const DialogMessage question{QStringLiteral("Вы уверены?"), QStringLiteral("Удалить выделенную книгу?"),
                                 DialogIcon::Exclamation, DialogButtons::YesNo};
    if (dialogs.show(question) != DialogAnswer::Yes)
        return false;
    deleteWithRetry(programFolder, book, true, dialogs);
    return true;
}

bool clearLibrary(const QString &programFolder, const QStringList &books, UserDialogs &dialogs)
{
    const DialogMessage question{QStringLiteral("Очистить библиотеку..."),
                                 QStringLiteral("Будут удалены ВСЕ книги из библиотеки!\nВы уверены?"),
                                 DialogIcon::Exclamation, DialogButtons::YesNo};
    if (dialogs.show(question) != DialogAnswer::Yes)
        return false;
    for (const QString &book : books)
        if (!deleteWithRetry(programFolder, book, false, dialogs))
            break;
    return true;
}
