#include "import/book_loader.h"
#include "import/word_converter.h"
#include "import/zip_archive.h"

#include "common/text_codec.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"
#include "support/zip_writer.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QByteArray kFictionBook =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook xmlns:l=\"http://www.w3.org/1999/xlink\">"
    "<description><title-info><author><first-name>Лев</first-name><last-name>Толстой</last-name></author>"
    "<book-title>Из архива</book-title><coverpage><image l:href=\"#c.jpg\"/></coverpage></title-info>"
    "</description><body><section><p>Текст из архива.</p></section></body>"
    "<binary id=\"c.jpg\" content-type=\"image/jpeg\">/9j/4AAQ//8AAP/Z</binary></FictionBook>";

// Chooses a scripted item and remembers what it was offered.
class ChoosingDialogs : public ScriptedDialogs
{
public:
    explicit ChoosingDialogs(int answer) : m_answer(answer) { }
    int choose(const DialogChoice &choice) override
    {
        offered = choice.items;
        return m_answer;
    }
    QStringList offered;

private:
    int m_answer;
};

BookLoadResult load(const QString &path, ScriptedDialogs &dialogs)
{
    LibreOfficeConverter converter(QString(), 1);
    BookLoader loader(dialogs, converter);
    return loader.loadFile(path, path.section(u'/', -1));
}

} // namespace

TEST(ZippedBook, FictionBookInsideIsOpenedWithItsCover)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("Война и мир.fb2.zip"));
    ASSERT_TRUE(writeZip(path, {{QStringLiteral("../../Война и мир.fb2"), kFictionBook}}));
    ScriptedDialogs dialogs;
    const BookLoadResult result = load(path, dialogs);
    ASSERT_TRUE(result.loaded);
    EXPECT_TRUE(result.text.contains(QStringLiteral("Текст из архива.")));
    EXPECT_EQ(result.title, QStringLiteral("Из архива"));
    EXPECT_EQ(result.sourcePath, path);
    EXPECT_TRUE(result.sectionsMarked);
    ASSERT_TRUE(result.cover);
    EXPECT_EQ(result.cover->extension, QStringLiteral("jpg"));
    EXPECT_EQ(result.information->authors, QStringLiteral("Лев Толстой"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(ZippedBook, SeveralBooksAskWhichOneAndCancelLoadsNothing)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("books.zip"));
    ASSERT_TRUE(writeZip(path, {{QStringLiteral("cover.jpg"), "x"},
                                {QStringLiteral("__MACOSX/._a.txt"), "x"},
                                {QStringLiteral("a.txt"), Codec::toCp1251(QStringLiteral("Первая книга"))},
                                {QStringLiteral("папка/b.rtf"), "{\\rtf1 Second book\\par}"}}));
    ChoosingDialogs second(1);
    const BookLoadResult chosen = load(path, second);
    EXPECT_EQ(second.offered, (QStringList{QStringLiteral("a.txt"), QStringLiteral("папка/b.rtf")}));
    ASSERT_TRUE(chosen.loaded);
    EXPECT_TRUE(chosen.text.contains(QStringLiteral("Second book")));
    EXPECT_EQ(chosen.title, QStringLiteral("b"));
    EXPECT_TRUE(chosen.indentsMarked);

    ChoosingDialogs cancel(-1);
    EXPECT_FALSE(load(path, cancel).loaded);
    EXPECT_TRUE(cancel.shown.isEmpty()); // a cancelled choice needs no message
}

TEST(ZippedBook, HostileArchivesAreRefusedWithAMessage)
{
    TempProgramFolder folder;
    ZipEntries manyEntries;
    for (int i = 0; i <= ZipLimits().maxEntries; ++i)
        manyEntries.append({QStringLiteral("%1.txt").arg(i), QByteArray()});
    const QString many = folder.file(QStringLiteral("many.zip"));
    ASSERT_TRUE(writeZip(many, manyEntries));
    const QString nested = folder.file(QStringLiteral("nested.zip"));
    ASSERT_TRUE(writeZip(nested, {{QStringLiteral("inner.zip"), "PK"}, {QStringLiteral("book.epub"), "PK"}}));
    // Unpacks to more than a book may hold: refused before it is unpacked.
    const QString bomb = folder.file(QStringLiteral("bomb.fb2.zip"));
    ASSERT_TRUE(writeZerosZip(bomb, QStringLiteral("bomb.fb2"), ZipLimits().maxEntryBytes + 1));

    struct Case
    {
        QString path;
        const char *message;
    };
    const Case cases[] = {
        {many, "слишком много файлов"},
        {nested, "архив в архиве"},
        {bomb, "ZIP-бомба"},
    };
    for (const Case &c : cases) {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(load(c.path, dialogs).loaded) << c.message;
        ASSERT_EQ(dialogs.shown.size(), 1) << c.message;
        EXPECT_TRUE(dialogs.shown[0].text.contains(QString::fromUtf8(c.message)))
            << dialogs.shown[0].text.toStdString();
    }
}

// One file, and all files read from one archive, stay within the limits.
TEST(ZipArchive, UnpackingStopsAtTheFileAndArchiveLimits)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("a.zip"));
    ASSERT_TRUE(
        writeZip(path, {{QStringLiteral("one"), QByteArray(600, 'a')}, {QStringLiteral("two"), QByteArray(600, 'b')}}));
    ZipArchive small(path, {10, 500, 1000});
    EXPECT_FALSE(small.read(QStringLiteral("one")));
    EXPECT_EQ(small.problem(), ZipProblem::TooLarge);
    ZipArchive total(path, {10, 1000, 1000});
    EXPECT_TRUE(total.read(QStringLiteral("one")));
    EXPECT_FALSE(total.read(QStringLiteral("two"))); // 1200 bytes in all
    EXPECT_EQ(total.problem(), ZipProblem::TooLarge);
    EXPECT_FALSE(total.read(QStringLiteral("three")));
    EXPECT_EQ(total.problem(), ZipProblem::Missing);
}

// An archive that declares a small file but unpacks a large one is cut
// off right past the declared size.
TEST(ZipArchive, ADeclaredSizeThatLiesIsCaughtWhileUnpacking)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("liar.zip"));
    ASSERT_TRUE(writeZip(path, {{QStringLiteral("liar.fb2"), QByteArray(100000, 'a')}}));
    QByteArray bytes = folder.readBytes(QStringLiteral("liar.zip"));
    const auto declareTen = [&bytes](qsizetype at) { qToLittleEndian<quint32>(10, bytes.data() + at); };
    declareTen(22);                                   // the local header's size
    declareTen(bytes.lastIndexOf("PK\x01\x02") + 24); // the central directory's
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ZipArchive archive(path);
    EXPECT_FALSE(archive.read(QStringLiteral("liar.fb2")));
    EXPECT_EQ(archive.problem(), ZipProblem::TooLarge);
}
