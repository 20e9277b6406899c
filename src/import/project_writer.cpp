#include "import/project_writer.h"

#include "app/project_cover.h"
#include "app/project_store.h"

#include "common/folder_exchange.h"
#include "common/ini_file.h"
#include "common/link_copy.h"
#include "common/text_codec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// What went wrong, in words a user can act on: the step and the system's
// reason, read from errno right where the step failed.
QString systemReason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("на диске нет места");
    case EDQUOT: return QStringLiteral("исчерпана дисковая квота");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав на запись");
    case EROFS: return QStringLiteral("диск доступен только для чтения");
    case EXDEV: return QStringLiteral("папки находятся на разных файловых системах");
    case EBUSY: return QStringLiteral("папка занята другой программой");
    case EFBIG: return QStringLiteral("файл больше, чем разрешено записать");
    case EEXIST:
    case ENOTDIR: return QStringLiteral("на этом месте уже есть файл");
    case ENAMETOOLONG: return QStringLiteral("слишком длинное имя");
    case EIO: return QStringLiteral("ошибка ввода-вывода");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

struct WriteFailure
{
    QString text;

    bool fail(const QString &step, const QString &path)
    {
        const int error = errno;
        if (text.isEmpty())
            text = step.arg(QDir::toNativeSeparators(path))
                   + (error ? QStringLiteral(": ") + systemReason(error) : QString());
        return false;
    }
};

// The editor keeps one author per line; the file keeps them on one.
QString authorsOnOneLine(const QString &authors)
{
    return QString(authors).replace(kCrLf, QStringLiteral(" "));
}

bool writeProjectIni(const QString &oldIni, const QString &newIni, const BookBlocks &book, const BookInformation &info)
{
    // Keys of the old "project.ini" that this pass does not write survive,
    // as they do when the file is updated in place.
    IniDocument ini = IniDocument::loadForUpdate(oldIni).value_or(IniDocument());
    const QString infoSection = QStringLiteral("Информация");
    ini.write(infoSection, QStringLiteral("Автор"), authorsOnOneLine(info.authors));
    ini.write(infoSection, QStringLiteral("Название"), info.title);
    ini.write(infoSection, QStringLiteral("Цикл"), info.series);
    ini.write(infoSection, QStringLiteral("Номер"), info.seriesNo);
    ini.write(infoSection, QStringLiteral("Дата"), info.date);
    ini.write(infoSection, QStringLiteral("Жанр"), info.genre);
    const int count = int(book.blocks.size());
    ini.write(QStringLiteral("Статус"), QStringLiteral("Начальный блок"), 1);
    ini.write(QStringLiteral("Статус"), QStringLiteral("Конечный блок"), count);
    const QString contents = QStringLiteral("Оглавление");
    ini.write(contents, QStringLiteral("Кол-во"), count);
    QList<std::pair<QString, QString>> names;
    names.reserve(count);
    for (int i = 1; i <= count; ++i)
        names.append({QStringLiteral("Блок%1").arg(i), book.names.value(i - 1)});
    ini.writeKeys(contents, names);
    return ini.save(newIni);
}

// The block files go straight into the staging folder: the folder as a
// whole is put in place only once complete, so the temporary file and
// rename of each single file would only cost time (seconds for a book of
// two thousand blocks).
bool writeStagedFile(const QString &path, const QByteArray &bytes, WriteFailure &failure)
{
    const QString step = QStringLiteral("Не удалось записать файл \"%1\"");
    errno = 0;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failure.fail(step, path);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written)
        return failure.fail(step, path);
    file.close();
    return file.error() == QFileDevice::NoError || failure.fail(step, path);
}

bool syncFileSystem(const QString &folder, WriteFailure &failure)
{
    const QString step = QStringLiteral("Не удалось сохранить на диск папку \"%1\"");
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return failure.fail(step, folder);
    const bool synced = ::syncfs(fd) == 0;
    if (!synced)
        failure.fail(step, folder);
    ::close(fd);
    return synced;
}

// A block in Windows-1251 when it fits, else in UTF-8 with a byte-order
// mark: every reader of block files takes both, and no character is lost.
bool writeBlocks(const QString &folder, const BookBlocks &book, WriteFailure &failure)
{
    for (int i = 1; i <= book.blocks.size(); ++i)
        if (!writeStagedFile(folder + u'/' + blockFileName(i), Codec::encodeUserFile(book.blocks[i - 1] + kCrLf),
                             failure))
            return false;
    return true;
}

bool isBlockFile(const QFileInfo &entry)
{
    return !entry.isDir() && isBlockFileName(entry.fileName());
}

// Copies what the user keeps in the old book folder (everything but block
// files and "project.ini", which is rewritten, and the old cover when the
// book brought a new one) into the staged one, as hard links: the old
// folder stays whole until the new one has taken its place.
bool carryOverOtherFiles(const QString &oldFolder, const QString &newFolder, WriteFailure &failure)
{
    const bool newCover = !projectCoverPath(newFolder).isEmpty();
    const QFileInfoList entries =
        QDir(oldFolder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (isBlockFile(entry) || entry.fileName() == QLatin1String("project.ini"))
            continue;
        if (newCover && projectCoverFileNames().contains(entry.fileName()))
            continue;
        errno = 0;
        if (!linkCopy(entry.absoluteFilePath(), newFolder + u'/' + entry.fileName()))
            return failure.fail(QStringLiteral("Не удалось перенести в новую папку книги файл \"%1\""),
                                entry.absoluteFilePath());
    }
    return true;
}

const QString kReplacedPrefix = kWorkingEntryPrefix + QStringLiteral("replaced-");
const QString kStagingPrefix = kWorkingEntryPrefix + QStringLiteral("adding-");

bool renamePath(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Where the file system cannot swap two folders in one step, the old folder
// is moved aside under its own name first. A crash between the two moves
// leaves it there; it is put back the next time a book is written.
bool swapInTwoSteps(const QString &staged, const QString &target, const QString &spareParent, WriteFailure &failure)
{
    const QString step = QStringLiteral("Не удалось заменить папку книги \"%1\"");
    QTemporaryDir replaced(spareParent + u'/' + kReplacedPrefix + QStringLiteral("XXXXXX"));
    if (!replaced.isValid())
        return failure.fail(step, target);
    const QString old = replaced.path() + u'/' + QFileInfo(target).fileName();
    if (!renamePath(target, old))
        return failure.fail(step, target);
    if (renamePath(staged, target))
        return true;
    failure.fail(step, target);
    renamePath(old, target);
    replaced.setAutoRemove(!QFileInfo::exists(old));
    return false;
}

// Puts the staged project in place of `target`. Afterwards the staging path
// holds the old project, which goes with the staging folder.
bool swapIntoPlace(const QString &staged, const QString &target, const QString &spareParent, WriteFailure &failure)
{
    if (!QFileInfo(target).isDir())
        return renamePath(staged, target)
               || failure.fail(QStringLiteral("Не удалось переместить новую книгу в папку \"%1\""), target);
    if (!carryOverOtherFiles(target, staged, failure))
        return false;
    return exchangeFolders(staged, target) || swapInTwoSteps(staged, target, spareParent, failure);
}

bool olderThanAnHour(const QFileInfo &entry)
{
    return entry.lastModified().secsTo(QDateTime::currentDateTime()) > 3600;
}

// True when every book in `aside` has a folder in the library again (its
// own put back, or a newer one that replaced it).
bool putBackMovedAsideBooks(const QString &aside, const QString &realRoot)
{
    bool allPlaced = true;
    const QStringList books = QDir(aside).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &book : books) {
        const QString place = realRoot + u'/' + book;
        if (!QFileInfo::exists(place) && !QDir().rename(aside + u'/' + book, place))
            allPlaced = false;
    }
    return allPlaced;
}

// Tidies up after a writer that was killed: a book moved aside goes back
// when its place is still empty; stale staging folders go.
void recoverInterruptedWrites(const QString &realRoot, const QString &spareParent)
{
    const QFileInfoList leftovers = QDir(spareParent)
                                        .entryInfoList({kReplacedPrefix + u'*', kStagingPrefix + u'*'},
                                                       QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &leftover : leftovers) {
        if (leftover.fileName().startsWith(kReplacedPrefix)) {
            if (!putBackMovedAsideBooks(leftover.absoluteFilePath(), realRoot))
                continue; // never delete the only copy of a book
        } else if (!olderThanAnHour(leftover)) {
            continue; // another writer may still be staging there
        }
        QDir(leftover.absoluteFilePath()).removeRecursively();
    }
}

} // namespace

QString writeProject(const QString &folder, const BookBlocks &book, const BookInformation &info,
                     const std::optional<BookCover> &cover)
{
    WriteFailure failure;
    const QFileInfo target(folder);
    const QString root = target.absolutePath();
    errno = 0;
    if (!QDir().mkpath(root)) {
        failure.fail(QStringLiteral("Не удалось создать папку библиотеки \"%1\""), root);
        return failure.text;
    }
    // Staged inside the real "Projects" folder, under a name the library
    // does not list: always on the same file system as the book's place (a
    // "Projects" that is a mount point of its own included), so the final
    // move is a rename.
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    recoverInterruptedWrites(realRoot, realRoot);
    // Earlier versions staged beside "Projects"; what a crash left there
    // is tidied up the same way.
    recoverInterruptedWrites(realRoot, QFileInfo(realRoot).absolutePath());
    errno = 0;
    QTemporaryDir staging(realRoot + u'/' + kStagingPrefix + QStringLiteral("XXXXXX"));
    if (!staging.isValid()) {
        failure.fail(QStringLiteral("Не удалось создать временную папку в \"%1\""), realRoot);
        return failure.text;
    }
    QFile::setPermissions(staging.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                              | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString finalFolder = realRoot + u'/' + target.fileName();
    const QString stagedIni = projectIniPath(staging.path());
    errno = 0;
    if (!writeProjectIni(projectIniPath(finalFolder), stagedIni, book, info)) {
        failure.fail(QStringLiteral("Не удалось записать файл \"%1\""), stagedIni);
        return failure.text;
    }
    if (cover) {
        const QString coverPath = staging.filePath(projectCoverFileName(cover->extension));
        if (!writeStagedFile(coverPath, cover->image, failure))
            return failure.text;
    }
    // The files reach the disk before the folder takes the old one's place,
    // so not even a power cut can leave a book of empty files.
    if (writeBlocks(staging.path(), book, failure) && syncFileSystem(staging.path(), failure))
        swapIntoPlace(staging.path(), finalFolder, realRoot, failure);
    return failure.text;
}
