// lectorium-cli import with a new user's settings, run as the user would run it.

#include "app/project_store.h"
#include "common/user_file.h"
#include "support/code_page_text.h"

#include "support/cli_run.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

// A UTF-8 book of one line a paragraph, headings in words, a stress accent
// and a sign outside Windows-1251: the blocks begin at the headings (the
// volume's heading with its first chapter, in the first block), the
// narration after a reply is narration again, nothing turns into "?", and
// the command says what it chose, how many blocks it made and how long they
// will sound.
TEST(ImportCli, ARealLookingBookComesOutRight)
{
    TempProgramFolder folder;
    const QString book = QStringLiteral("Том первый\nГлава первая\n- Кто там? - спросил он.\nНикто не пóдал голоса.\n"
                                        "ГЛАВА ВТОРАЯ\nНа двери висел знак ♦.\n");
    ASSERT_TRUE(UserFile::writeBytes(folder.file(QStringLiteral("повесть.txt")), book.toUtf8()));
    const CliRun run = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("повесть.txt"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("повесть\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("без отступов"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QRegularExpression(QStringLiteral("блоков 2, длительность ~ 00:00:\\d\\d"))))
        << run.err.toStdString();

    const QString project = bookFolder(folder.path(), QStringLiteral("повесть"));
    ASSERT_EQ(countBlocks(project), 2);
    EXPECT_TRUE(readBlockFile(project, 1).contains(QStringLiteral("Том первый")));
    EXPECT_TRUE(readBlockFile(project, 1)
                    .contains(QStringLiteral("спросил он. {повествование->}  {пауза->} \r\nНикто не по+дал голоса.")))
        << readBlockFile(project, 1).toStdString();
    EXPECT_TRUE(readBlockFile(project, 2).contains(QStringLiteral("знак ♦.")));
}

// A KOI8-R book is added in its own letters; bytes that read as Russian in
// no encoding are not added unless the encoding is named; an unknown name is
// a usage error.
TEST(ImportCli, TheEncodingIsJudgedByTheLettersOrNamed)
{
    TempProgramFolder folder;
    const QString story = QStringLiteral("Лев Николаевич Толстой. Воскресение.\nКак ни старались люди, собравшись в "
                                         "одно небольшое место несколько сот тысяч, изуродовать ту землю...\n");
    ASSERT_TRUE(
        UserFile::writeBytes(folder.file(QStringLiteral("koi.txt")), inCodePage(story, Codec::CodePage::Koi8R)));
    const CliRun koi = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("koi.txt"))});
    ASSERT_EQ(koi.exitCode, 0) << koi.err.toStdString();
    EXPECT_TRUE(koi.err.contains(QStringLiteral("KOI8-R (определена по буквам текста)"))) << koi.err.toStdString();
    EXPECT_TRUE(
        readBlockFile(bookFolder(folder.path(), QStringLiteral("koi")), 1).contains(QStringLiteral("Воскресение")));

    const CliRun automatic = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("koi.txt")),
                                             QStringLiteral("--encoding"), QStringLiteral("auto")});
    EXPECT_EQ(automatic.exitCode, 0); // the judgement, as without the option

    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>(128 + (i * 37) % 128));
    ASSERT_TRUE(UserFile::writeBytes(folder.file(QStringLiteral("junk.txt")), junk));
    const CliRun noRussian = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("junk.txt"))});
    EXPECT_EQ(noRussian.exitCode, 1);
    EXPECT_TRUE(noRussian.err.contains(QStringLiteral("Книга не добавлена"))) << noRussian.err.toStdString();
    EXPECT_TRUE(noRussian.err.contains(QStringLiteral("--encoding"))) << noRussian.err.toStdString();
    EXPECT_FALSE(QDir(bookFolder(folder.path(), QStringLiteral("junk"))).exists());
    const CliRun named = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("junk.txt")),
                                         QStringLiteral("--encoding"), QStringLiteral("Windows-1251")});
    EXPECT_EQ(named.exitCode, 0) << named.err.toStdString();

    const CliRun unknown = runCli(folder, {QStringLiteral("import"), folder.file(QStringLiteral("koi.txt")),
                                           QStringLiteral("--encoding"), QStringLiteral("koi8-u")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Неизвестная кодировка «koi8-u»"))) << unknown.err.toStdString();
}
