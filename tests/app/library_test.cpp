#include "app/batch_queue.h"
#include "app/block_range.h"
#include "app/book_file_filter.h"
#include "app/folder_removal.h"
#include "app/library.h"
#include "app/project_store.h"
#include "common/text_codec.h"

#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void makeBook(const TempProgramFolder &folder, const QString &book, int blocks, const QString &ini = {})
{
    for (int i = 1; i <= blocks; ++i)
        folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(book, blockFileName(i)), QStringLiteral("Текст\r\n"));
    if (!ini.isEmpty())
        folder.writeCp1251(QStringLiteral("Projects/%1/project.ini").arg(book), ini);
}

} // namespace

TEST(ProjectStore, BlockFileNames)
{
    EXPECT_EQ(blockFileName(1), QStringLiteral("0001.txt"));
    EXPECT_EQ(blockFileName(12), QStringLiteral("0012.txt"));
    EXPECT_EQ(blockFileName(12345), QStringLiteral("12345.txt"));
}

TEST(ProjectStore, CountRangeAndChapters)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("Книга"), 250,
             QStringLiteral("[Информация]\r\nАвтор=Лев Толстой\r\nНазвание=Война и мир\r\nЦикл=Ц\r\nНомер=2\r\n"
                            "Дата=1869\r\nЖанр=Роман\r\n[Статус]\r\nКонечный блок=300\r\n"
                            "[Оглавление]\r\nКол-во=2\r\nБлок1=Глава 1\r\nБлок2=Глава 1(2)\r\n"));
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    EXPECT_EQ(countBlocks(book), 250);
    const BlockRange range = readRange(book, 250);
    EXPECT_EQ(range.first, 1);  // missing first block
    EXPECT_EQ(range.last, 300); // stored value shown until the user validates one
    TagInfo info;
    BlockTitles titles;
    loadChapters(book, QStringLiteral("Книга"), 250, info, titles);
    EXPECT_EQ(info.author, QStringLiteral("Лев Толстой"));
    EXPECT_EQ(info.title, QStringLiteral("Война и мир"));
    EXPECT_EQ(info.seriesNo, QStringLiteral("2"));
    EXPECT_EQ(info.genre, QStringLiteral("Роман"));
    EXPECT_EQ(info.projectName, QStringLiteral("Книга"));
    EXPECT_EQ(titles.count(), 2);
    EXPECT_EQ(titles.title(2), QStringLiteral("Глава 1(2)"));
    EXPECT_EQ(titles.title(3), QString());
}

TEST(ProjectStore, MissingTableOfContentsNamesEveryBlock)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("B"), 3, QStringLiteral("[Оглавление]\r\nКол-во=0\r\n"));
    TagInfo info;
    BlockTitles titles;
    loadChapters(bookFolder(folder.path(), QStringLiteral("B")), QStringLiteral("B"), 3, info, titles);
    EXPECT_EQ(titles.all(),
              QStringList({QStringLiteral("Блок 1"), QStringLiteral("Блок 2"), QStringLiteral("Блок 3")}));
    EXPECT_EQ(info.title, QString());
    const BlockRange range = readRange(bookFolder(folder.path(), QStringLiteral("B")), 3);
    EXPECT_EQ(range.last, 3);
}

// The user's own files in a project folder are not blocks, and a table of
// contents edited by hand is believed no further than the blocks there are.
TEST(ProjectStore, OnlyNumberedFilesAreBlocksAndTheTableIsBounded)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("Книга"), 2,
             QStringLiteral("[Оглавление]\r\nКол-во=2147483647\r\nБлок1=Первая\r\n"));
    const QString book = bookFolder(folder.path(), QStringLiteral("Книга"));
    folder.writeCp1251(QStringLiteral("Projects/Книга/notes.txt"), QStringLiteral("мои заметки"));
    folder.writeCp1251(QStringLiteral("Projects/Книга/12.txt"), QStringLiteral("не блок"));
    EXPECT_EQ(countBlocks(book), 2);
    TagInfo info;
    BlockTitles titles;
    loadChapters(book, QStringLiteral("Книга"), countBlocks(book), info, titles);
    EXPECT_EQ(titles.count(), 2);
    EXPECT_EQ(titles.title(1), QStringLiteral("Первая"));
}

TEST(ProjectStore, TitlesBecomePlainFolderNames)
{
    EXPECT_EQ(withoutControlCharacters(QStringLiteral("\tВойна\r\nи мир\x01")), QStringLiteral("Война  и мир"));
    for (const char *name : {"..", ".", "a/b", "a\tb", "a\nb", "\x01", ""})
        EXPECT_FALSE(isPlainEntryName(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(isPlainEntryName(QStringLiteral("Война и мир. Том 1")));
}

TEST(BlockRange, AcceptAndRefuse)
{
    const BlockRange current{3, 5};
    struct Case
    {
        bool first;
        const char *text;
        bool accepted;
        int newFirst, newLast;
    };
    const Case cases[] = {
        {true, "4", true, 4, 5},    {true, "8", true, 8, 8},    {true, "0", false, 0, 0},   {true, "11", false, 0, 0},
        {true, "x", false, 0, 0},   {true, "2.5", false, 0, 0}, {false, "4", true, 3, 4},   {false, "1", true, 1, 1},
        {false, "10", true, 3, 10}, {false, "-1", false, 0, 0}, {false, " 7 ", true, 3, 7},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromLatin1(c.text);
        const auto r = c.first ? acceptFirstBlock(text, current, 10) : acceptLastBlock(text, current, 10);
        ASSERT_EQ(r.has_value(), c.accepted) << c.text;
        if (r) {
            EXPECT_EQ(r->first, c.newFirst) << c.text;
            EXPECT_EQ(r->last, c.newLast) << c.text;
        }
    }
    EXPECT_EQ(badBlockNumberMessage(10), QStringLiteral("Неправильный номер блока!\nВведите число от 1 до 10"));
}

TEST(ProjectStore, WriteRangeKeepsTheRestOfTheFile)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("B"), 3, QStringLiteral("[Информация]\r\nАвтор=А\r\n"));
    const QString book = bookFolder(folder.path(), QStringLiteral("B"));
    ASSERT_TRUE(writeRange(book, {2, 3}));
    EXPECT_EQ(folder.readBytes(QStringLiteral("Projects/B/project.ini")),
              Codec::toCp1251(
                  QStringLiteral("[Информация]\r\nАвтор=А\r\n[Статус]\r\nНачальный блок=2\r\nКонечный блок=3\r\n")));
}

TEST(Library, ListsBooksAndDropsTheLegacyFile)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("Первая"), 1);
    makeBook(folder, QStringLiteral("Вторая"), 1);
    folder.writeCp1251(QStringLiteral("Projects/Project.cfg"), QStringLiteral("old"));
    // A book being written is staged in a working folder of its own: no book.
    makeBook(folder, QStringLiteral(".lectorium-adding-x1"), 1);
    QStringList books = loadList(folder.path());
    books.sort();
    EXPECT_EQ(books, QStringList({QStringLiteral("Вторая"), QStringLiteral("Первая")}));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Projects/Project.cfg"))));
    EXPECT_EQ(findBook(books, QStringLiteral("Первая")), 1);
    EXPECT_EQ(findBook(books, QStringLiteral("первая")), -1);
    EXPECT_TRUE(loadList(folder.file(QStringLiteral("nowhere"))).isEmpty());
}

TEST(Library, DeleteAsksAndRemovesOnlyTheBook)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("A"), 2);
    makeBook(folder, QStringLiteral("B"), 2);
    QDir().mkpath(folder.file(QStringLiteral("Projects/A/sub/deeper")));
    folder.writeCp1251(QStringLiteral("Projects/A/sub/.hidden"), QStringLiteral("x"));
    QFile::setPermissions(folder.file(QStringLiteral("Projects/A/0001.txt")), QFile::ReadOwner);
    ScriptedDialogs no({DialogAnswer::No});
    EXPECT_FALSE(deleteBook(folder.path(), QStringLiteral("A"), no));
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("Projects/A"))).exists());
    ASSERT_EQ(no.shown.size(), 1);
    EXPECT_EQ(no.shown[0].title, QStringLiteral("Вы уверены?"));
    EXPECT_EQ(no.shown[0].text, QStringLiteral("Удалить выделенную книгу?"));
    EXPECT_EQ(no.shown[0].buttons, DialogButtons::YesNo);
    ScriptedDialogs yes({DialogAnswer::Yes});
    EXPECT_TRUE(deleteBook(folder.path(), QStringLiteral("A"), yes));
    EXPECT_FALSE(QDir(folder.file(QStringLiteral("Projects/A"))).exists());
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Projects/B/0001.txt"))));
    EXPECT_EQ(yes.shown.size(), 1); // the question only: nothing was locked
}

TEST(Library, DeleteNeverReachesOutsideProjects)
{
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("A"), 1);
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[S]\r\n"));
    folder.writeCp1251(QStringLiteral("outside/keep.txt"), QStringLiteral("keep"));
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("outside")), folder.file(QStringLiteral("Projects/Link"))));
    ScriptedDialogs prompts({}, DialogAnswer::Yes);
    for (const QString &name : {QStringLiteral(".."), QStringLiteral("."), QStringLiteral(""),
                                QStringLiteral("../outside"), QStringLiteral("Link")})
        deleteBook(folder.path(), name, prompts);
    clearLibrary(folder.path(), {QStringLiteral(".."), QStringLiteral("Link")}, prompts);
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("outside/keep.txt"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Lectorium.ini"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Projects/A/0001.txt"))));
    EXPECT_FALSE(QFileInfo(folder.file(QStringLiteral("Projects/Link"))).isSymLink());
}

TEST(Library, LockedFolderAsksRetryOrCancel)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root deletes from read-only folders";
    TempProgramFolder folder;
    makeBook(folder, QStringLiteral("A"), 1);
    makeBook(folder, QStringLiteral("B"), 1);
    const QString a = folder.file(QStringLiteral("Projects/A"));
    QFile::setPermissions(a, QFile::ReadOwner | QFile::ExeOwner);
    ScriptedDialogs prompts({DialogAnswer::Yes, DialogAnswer::Retry, DialogAnswer::Cancel});
    clearLibrary(folder.path(), {QStringLiteral("A"), QStringLiteral("B")}, prompts);
    QFile::setPermissions(a, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(prompts.shown.size(), 3);                                    // the question, Retry once, then Cancel
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("Projects/B"))).exists()); // Cancel ends the clearing
    EXPECT_EQ(prompts.shown[1].title, QStringLiteral("Не могу удалить каталог!"));
    EXPECT_TRUE(prompts.shown[1].text.startsWith(QStringLiteral("Каталог ") + a));
}

TEST(Library, LockedFolderMessages)
{
    EXPECT_EQ(lockedFolderMessage(QStringLiteral("/p/Projects/Б"), true),
              QStringLiteral(
                  "Каталог \"/p/Projects/Б\" используется другим приложением, и не может быть удален.\n"
                  "Закройте другие программы, которые используют этот каталог либо удалите его самостоятельно..."));
    EXPECT_TRUE(lockedFolderMessage(QStringLiteral("/p"), false).startsWith(QStringLiteral("Каталог /p используется")));
}

TEST(BatchQueue, TicksSurviveAndVanishedBooksAreIgnored)
{
    TempProgramFolder folder;
    const QString file = batchFilePath(folder.path());
    const QStringList books = {QStringLiteral("A"), QStringLiteral("Б"), QStringLiteral("C")};
    EXPECT_EQ(firstSelected(loadBatch(file, books)), -1); // missing file: nothing ticked
    BatchEntries entries = loadBatch(file, books);
    entries[1].flag = true;
    entries[2].flag = true;
    ASSERT_TRUE(saveBatch(file, entries));
    // "C" was renamed since, "D" is new.
    const BatchEntries reloaded = loadBatch(file, {QStringLiteral("Б"), QStringLiteral("C2"), QStringLiteral("D")});
    EXPECT_EQ(reloaded,
              BatchEntries({{QStringLiteral("Б"), true}, {QStringLiteral("C2"), false}, {QStringLiteral("D"), false}}));
    EXPECT_EQ(firstSelected(reloaded), 0);
}

TEST(BookFileFilter, EndingsAndQuotes)
{
    TempProgramFolder folder;
    for (const char *name : {"a.fb2", "b.TXT", "c.docx", "d.pdf", "e.html", "f.htm", "g.doc", "h.rtf", "i.epub",
                             "j.fb2.zip", "k.ODT", "l.docm", ".epub", "m.azw3", "n.jpg"})
        folder.writeCp1251(QString::fromLatin1(name), QStringLiteral("x"));
    struct Case
    {
        const char *name;
        bool opens;
    };
    const Case cases[] = {{"a.fb2", true},  {"b.TXT", true},        {"c.docx", true}, {"d.pdf", true},
                          {"e.html", true}, {"f.htm", true},        {"g.doc", true},  {"h.rtf", true},
                          {"i.epub", true}, {"j.fb2.zip", true},    {"k.ODT", true},  {"l.docm", true},
                          {".epub", false}, {"missing.fb2", false}, {"m.azw3", true}, {"n.jpg", false}};
    for (const Case &c : cases) {
        const QString path = folder.file(QString::fromLatin1(c.name));
        EXPECT_EQ(openableBookFile(u'"' + path + u'"'), c.opens ? path : QString()) << c.name;
    }
    EXPECT_EQ(openableBookFile(folder.path()), QString()); // a folder is no book
}

TEST(BookFileFilter, StemsAndKinds)
{
    EXPECT_EQ(bookFileStem(QStringLiteral("Война.fb2.zip")), QStringLiteral("Война"));
    EXPECT_EQ(bookFileStem(QStringLiteral("Война.html")), QStringLiteral("Война"));
    EXPECT_EQ(bookFileStem(QStringLiteral("Война.EPUB")), QStringLiteral("Война"));
    EXPECT_EQ(bookFileKind(QStringLiteral("a.fb2.zip")), BookFileKind::Zip);
    EXPECT_EQ(bookFileKind(QStringLiteral("a.docm")), BookFileKind::Word);
    EXPECT_EQ(bookFileKind(QStringLiteral("a.PDF")), BookFileKind::Pdf);
    EXPECT_EQ(bookFileKind(QStringLiteral("a.mobi")), BookFileKind::Calibre);
    EXPECT_TRUE(bookFilePatterns().contains(QStringLiteral("*.epub")));
    EXPECT_EQ(bookFilePatterns(BookFileKind::Zip), QStringList{QStringLiteral("*.zip")});
}
