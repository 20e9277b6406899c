// lectorium-cli import with a new user's settings, run as the user would run it.

#include "app/project_store.h"
#include "common/user_file.h"

#include "support/cli_run.h"
#include "support/temp_program_folder.h"

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
