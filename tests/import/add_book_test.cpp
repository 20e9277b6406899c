#include "import/add_book.h"
#include "import/saved_settings_add.h"

#include "app/project_cover.h"
#include "app/project_store.h"
#include "common/ini_file.h"
#include "common/text_codec.h"

#include "support/file_size_limit.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include "print_qstring.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

AddRequest requestFor(const TempProgramFolder &folder, const QString &title, const QString &text)
{
    AddRequest request;
    request.programFolder = folder.path();
    request.title = title;
    request.text = text;
    request.options.splitBySize = false;
    return request;
}

AddResult add(const AddRequest &request, UserDialogs &dialogs)
{
    ChapterDetector detector({{QStringLiteral("Глава #"), true}}, false);
    return addBook(request, detector, dialogs);
}

QStringList nonEmptyLines(const QString &path)
{
    QStringList lines = IniDocument::load(path).lines();
    lines.removeAll(QString());
    return lines;
}

// The writer's working folders (staging, books set aside) left in the
// program folder or in "Projects".
QStringList hiddenEntries(const QString &folder)
{
    QStringList found;
    for (const QString &place : {folder, projectsRoot(folder)})
        found += QDir(place).entryList(QStringList{QStringLiteral(".lectorium-*")},
                                       QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return found;
}

} // namespace

TEST(AddBook, RefusesMissingAndUnusableTitles)
{
    struct Case
    {
        QString title;
        QString warning;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("Не указано название книги...")},
        {kTitlePlaceholder, QStringLiteral("Не указано название книги...")},
        {QStringLiteral(".."), QStringLiteral("Неправильное название книги")},
        {QStringLiteral("Том/1"), QStringLiteral("Неправильное название книги")},
        {QString(128, u'ж'), QStringLiteral("Слишком длинное название книги")},
    };
    for (const Case &c : cases) {
        TempProgramFolder folder;
        ScriptedDialogs dialogs;
        const AddResult result = add(requestFor(folder, c.title, QStringLiteral("Текст.")), dialogs);
        EXPECT_EQ(result.status, AddStatus::NoTitle);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].title, c.warning);
        EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Exclamation);
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Projects/") + c.title)) && !c.title.isEmpty());
    }
}

TEST(AddBook, WritesBlocksAndProjectIniInOrder)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    AddRequest request = requestFor(folder, QStringLiteral("Моя «книга»"),
                                    QStringLiteral("Вступление в 2005 году.\r\nГлава 1\r\nТекст.\r\n"));
    request.info = {QStringLiteral("Название"), QStringLiteral("Цикл"),
                    QStringLiteral("2"),        QStringLiteral("Лев Толстой,\r\nИван Бунин"),
                    QStringLiteral("prose"),    QStringLiteral("Не пишется"),
                    QStringLiteral("1869")};
    const AddResult result = add(request, dialogs);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_EQ(result.status, AddStatus::Added);
    EXPECT_EQ(result.book, QStringLiteral("Моя «книга»"));
    EXPECT_EQ(result.blockCount, 2);

    const QString book = bookFolder(folder.path(), result.book);
    EXPECT_EQ(nonEmptyLines(projectIniPath(book)),
              QStringList({QStringLiteral("[Информация]"), QStringLiteral("Автор=Лев Толстой, Иван Бунин"),
                           QStringLiteral("Название=Название"), QStringLiteral("Цикл=Цикл"), QStringLiteral("Номер=2"),
                           QStringLiteral("Дата=1869"), QStringLiteral("Жанр=prose"), QStringLiteral("[Статус]"),
                           QStringLiteral("Начальный блок=1"), QStringLiteral("Конечный блок=2"),
                           QStringLiteral("[Оглавление]"), QStringLiteral("Кол-во=2"),
                           QStringLiteral("Блок1=Моя «книга»"), QStringLiteral("Блок2=Глава 1")}));
    EXPECT_EQ(countBlocks(book), 2);
    QFile first(book + QStringLiteral("/0001.txt"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    // Windows-1251, CR LF, the year rewritten, one more line break at the end.
    EXPECT_EQ(Codec::fromCp1251(first.readAll()),
              (QStringLiteral(" {повествование->} \r\nВступление в две тысячи 5 году. {пауза->} \r\n\r\n")));
    EXPECT_TRUE(readBlockFile(book, 2).startsWith(QStringLiteral(" {повествование->} \r\nГлава 1 {пауза->} \r\n")));
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
}

TEST(AddBook, AnExistingProjectIsReplacedOnlyWhenTheUserAgrees)
{
    TempProgramFolder folder;
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    for (const char *name : {"0001.txt", "0002.txt", "0003.txt", "cover.jpg", "notes/plan.txt", "notes.txt"})
        folder.writeCp1251(QStringLiteral("Projects/Книга/") + QString::fromUtf8(name), QStringLiteral("старое"));
    folder.writeCp1251(QStringLiteral("Projects/Книга/project.ini"),
                       QStringLiteral("[Своё]\r\nКлюч=значение\r\n[Оглавление]\r\nКол-во=3\r\n"));
    const AddRequest request = requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Новый текст."));

    ScriptedDialogs cancel({DialogAnswer::Cancel});
    EXPECT_EQ(add(request, cancel).status, AddStatus::Cancelled);
    ASSERT_EQ(cancel.shown.size(), 1);
    EXPECT_EQ(cancel.shown[0].title, QStringLiteral("Внимание"));
    EXPECT_EQ(cancel.shown[0].text, QStringLiteral("Проект с таким именем уже есть! Рабочий каталог будет очищен."));
    EXPECT_EQ(cancel.shown[0].buttons, DialogButtons::OkCancel);
    EXPECT_EQ(countBlocks(book), 3);

    ScriptedDialogs ok({DialogAnswer::Ok});
    EXPECT_EQ(add(request, ok).status, AddStatus::Added);
    EXPECT_EQ(countBlocks(book), 1);
    EXPECT_TRUE(readBlockFile(book, 1).contains(QStringLiteral("Новый текст.")));
    // What is not a block file stays, and so do the keys this pass does not write.
    EXPECT_TRUE(QFileInfo::exists(book + QStringLiteral("/cover.jpg")));
    EXPECT_TRUE(QFileInfo::exists(book + QStringLiteral("/notes/plan.txt")));
    EXPECT_TRUE(QFileInfo::exists(book + QStringLiteral("/notes.txt")));
    EXPECT_EQ(readIni(QStringLiteral("Своё"), QStringLiteral("Ключ"), projectIniPath(book)),
              QStringLiteral("значение"));
    EXPECT_EQ(readIni(QStringLiteral("Оглавление"), QStringLiteral("Кол-во"), projectIniPath(book)),
              QStringLiteral("1"));
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
}

TEST(AddBook, AFailedWriteIsReportedAndLeavesNoBook)
{
    TempProgramFolder folder;
    // "Projects" is a file, so no book folder can be made under it.
    folder.writeCp1251(QStringLiteral("Projects"), QStringLiteral("x"));
    ScriptedDialogs dialogs;
    const AddResult result = add(requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Текст.")), dialogs);
    EXPECT_EQ(result.status, AddStatus::WriteFailed);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].icon, DialogIcon::Critical);
    // The message names the real cause, not a guess about disk space.
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("уже есть файл"))) << dialogs.shown[0].text.toStdString();
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
}

TEST(AddBook, AFullDiskLeavesTheOldProjectWhole)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    ASSERT_EQ(add(requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Старый текст.")), dialogs).status,
              AddStatus::Added);
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    const QString oldBlock = readBlockFile(book, 1);
    AddResult result;
    {
        const FileSizeLimit limit(4000);
        result = add(requestFor(folder, QStringLiteral("Книга"), QString(8000, u'ж')), dialogs);
    }
    EXPECT_EQ(result.status, AddStatus::WriteFailed);
    EXPECT_TRUE(dialogs.shown.last().text.contains(QStringLiteral("Не удалось записать файл")))
        << dialogs.shown.last().text.toStdString();
    EXPECT_EQ(readBlockFile(book, 1), oldBlock);
    EXPECT_EQ(countBlocks(book), 1);
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
}

TEST(AddBook, ABookLeftAsideByAKilledWriterGoesBackToTheLibrary)
{
    // Where folders cannot be swapped in one step, the old book is moved
    // aside before the new one moves in; a writer killed in between leaves it
    // there. The next write puts it back and tidies up.
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral(".lectorium-replaced-x1/Старая/0001.txt"), QStringLiteral("старый текст"));
    folder.writeCp1251(QStringLiteral(".lectorium-replaced-x2/Книга/0001.txt"), QStringLiteral("вытесненная"));
    ScriptedDialogs dialogs({DialogAnswer::Ok});
    EXPECT_EQ(add(requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Новая.")), dialogs).status,
              AddStatus::Added);
    EXPECT_EQ(readBlockFile(bookFolder(folder.path(), QStringLiteral("Старая")), 1), QStringLiteral("старый текст"));
    // "Книга" comes back first and is then replaced by the book being added.
    EXPECT_TRUE(
        readBlockFile(bookFolder(folder.path(), QStringLiteral("Книга")), 1).contains(QStringLiteral("Новая.")));
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
}

// "Projects" on a file system of its own (a mount point: here the shared
// memory file system behind a link): a staging folder beside it would need
// a move across file systems, which no rename can do.
TEST(AddBook, AddsToALibraryOnAFileSystemOfItsOwn)
{
    const QByteArray mountPoint = "/dev/shm";
    struct stat mounted = {};
    struct stat parent = {};
    if (::stat(mountPoint.constData(), &mounted) != 0 || ::stat("/dev", &parent) != 0 || mounted.st_dev == parent.st_dev
        || ::access(mountPoint.constData(), W_OK) != 0)
        GTEST_SKIP() << "no writable file system mounted at /dev/shm";
    TempProgramFolder folder;
    ASSERT_TRUE(QFile::link(QString::fromLatin1(mountPoint), projectsRoot(folder.path())));
    const QString title = QStringLiteral("Книга %1").arg(QCoreApplication::applicationPid());
    ScriptedDialogs dialogs;
    const AddResult result = add(requestFor(folder, title, QStringLiteral("Текст книги.")), dialogs);
    const QString book = bookFolder(folder.path(), title);
    EXPECT_EQ(result.status, AddStatus::Added)
        << (dialogs.shown.isEmpty() ? QString() : dialogs.shown[0].text).toStdString();
    EXPECT_TRUE(readBlockFile(book, 1).contains(QStringLiteral("Текст книги.")));
    EXPECT_TRUE(hiddenEntries(folder.path()).isEmpty());
    QDir(book).removeRecursively();
}

// A block that Windows-1251 can hold stays in it; one that it cannot is kept
// whole in UTF-8 with a byte-order mark, and reads back unchanged.
TEST(AddBook, BlocksKeepEveryCharacter)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    const AddResult result = add(requestFor(folder, QStringLiteral("Книга"),
                                            QStringLiteral("Сказал «да» — №1.\r\nГлава 2\r\nCrème brûlée, ü, 中.\r\n")),
                                 dialogs);
    ASSERT_EQ(result.status, AddStatus::Added);
    const QString book = bookFolder(folder.path(), result.book);
    QFile first(book + QStringLiteral("/0001.txt"));
    QFile second(book + QStringLiteral("/0002.txt"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = first.readAll();
    EXPECT_FALSE(firstBytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(Codec::fromCp1251(firstBytes).contains(QStringLiteral("Сказал да - №1.")));
    EXPECT_TRUE(second.readAll().startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(readBlockFile(book, 2).contains(QStringLiteral("Crème brûlée, ü, 中.")));
    EXPECT_FALSE(readBlockFile(book, 2).contains(u'?'));
}

// The book's cover is kept in its folder; a book added again with a cover
// of the other kind leaves one cover, a book without one keeps the old.
TEST(AddBook, TheCoverIsKeptInTheProjectFolder)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs; // "OK" to replacing the book
    AddRequest request = requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Текст.\r\n"));
    request.cover = BookCover{"jpeg bytes", QStringLiteral("jpg")};
    ASSERT_EQ(add(request, dialogs).status, AddStatus::Added);
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    EXPECT_EQ(projectCoverPath(book), book + QStringLiteral("/cover.jpg"));

    request.cover = BookCover{"png bytes", QStringLiteral("png")};
    ASSERT_EQ(add(request, dialogs).status, AddStatus::Added);
    EXPECT_FALSE(QFile::exists(book + QStringLiteral("/cover.jpg")));
    EXPECT_EQ(folder.readBytes(QStringLiteral("Projects/Книга/cover.png")), QByteArray("png bytes"));

    request.cover.reset();
    ASSERT_EQ(add(request, dialogs).status, AddStatus::Added);
    EXPECT_EQ(projectCoverPath(book), book + QStringLiteral("/cover.png"));
}

// The add pass meets a dictionary that makes a line grow without end: the
// book is not added (its blocks would hold text the dictionaries never
// finished), and the message names the dictionary.
TEST(AddBook, ADictionaryThatExplodesStopsTheAddPassAndLeavesNoBook)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/взрыв.dic"), QStringLiteral("*ы*=ыыыыыыыыыы\r\n*ыы*=ыыыыыыыыыы\r\n"));
    AddRequest request =
        requestFor(folder, QStringLiteral("Книга"), QStringLiteral("Текст.\r\nВыбыл ") + QString(500, u'ы'));
    request.options.applyDictionaries = true;
    ScriptedDialogs dialogs;
    ChapterDetector detector({{QStringLiteral("Глава #"), true}}, false);
    const AddResult result = addWithEnabledDictionaries(request, detector, dialogs);
    EXPECT_EQ(result.status, AddStatus::DictionaryFailed);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Книга не добавлена.\nСловарь «взрыв.dic»")));
    EXPECT_FALSE(QDir(bookFolder(folder.path(), QStringLiteral("Книга"))).exists());
}
