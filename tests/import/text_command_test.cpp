// lectorium-cli text, run as the user would run it.

#include "common/text_codec.h"

#include "support/cli_run.h"
#include "support/code_page_text.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

CliRun runText(const TempProgramFolder &folder, const QStringList &args)
{
    return runCli(folder, QStringList{QStringLiteral("text")} + args);
}

} // namespace

TEST(TextCli, PrintsTheEditorTextOrTheInformation)
{
    REQUIRE_SHARED_DATA();
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Книга с пробелом.txt"), QStringLiteral("Первая\nвторая"));
    const CliRun text = runText(folder, {folder.file(QStringLiteral("Книга с пробелом.txt"))});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("Первая\r\nвторая"));

    const CliRun info = runText(
        folder, {QStringLiteral("--info"), sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.utf8.fb2"))});
    EXPECT_EQ(info.exitCode, 0);
    const QStringList lines = info.out.split(u'\n');
    ASSERT_EQ(lines.size(), 10); // title, seven fields, the cover, the final line end
    // The proposed title is the book's own, not its file name.
    EXPECT_EQ(lines.mid(0, 5),
              (QStringList{"Война и мир", "Война и мир", "Детство, Отрочество, Юность", "2", "Лев Толстой"}));
    EXPECT_TRUE(lines[6].contains(QStringLiteral("Это тестовый файл FictionBook 2.0.")));
    EXPECT_EQ(lines[8], QStringLiteral("Обложка: cover.jpg, 35140 байт"));
}

TEST(TextCli, NothingReadableFailsWithAMessage)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("empty.txt"), QString());
    const CliRun empty = runText(folder, {folder.file(QStringLiteral("empty.txt"))});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.out.isEmpty());
    EXPECT_TRUE(empty.err.contains(QStringLiteral("В файле не найден текст"))) << empty.err.toStdString();
    EXPECT_EQ(runText(folder, {}).exitCode, 2);
}

// A book named on the command line is an entry of the library: a path that
// leads out of "Projects" is refused before anything is read or written.
TEST(RecordCli, ABookOutsideTheLibraryIsRefused)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("elsewhere/0001.txt"), QStringLiteral("Текст\r\n"));
    QDir().mkpath(folder.file(QStringLiteral("Projects")));
    const CliRun run = runCli(folder, {QStringLiteral("record"), QStringLiteral("../elsewhere")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("В библиотеке нет книги"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("elsewhere/project.ini"))));
}

// --encoding reads the file in the encoding named: a KOI8-R file read as
// Windows-1251 comes out garbled, with the warning and how to name another.
TEST(TextCli, TheEncodingCanBeNamed)
{
    TempProgramFolder folder;
    const QString story = QStringLiteral("Лев Николаевич Толстой. Воскресение.\r\nКак ни старались люди, собравшись "
                                         "в одно небольшое место несколько сот тысяч...");
    const QByteArray koi8 = inCodePage(story, Codec::CodePage::Koi8R);
    QFile file(folder.file(QStringLiteral("koi.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(koi8);
    file.close();
    const CliRun judged = runText(folder, {folder.file(QStringLiteral("koi.txt"))});
    EXPECT_EQ(judged.out, story);
    const CliRun named = runText(
        folder, {QStringLiteral("--encoding"), QStringLiteral("KOI8-R"), folder.file(QStringLiteral("koi.txt"))});
    EXPECT_EQ(named.out, story);
    EXPECT_TRUE(named.err.contains(QStringLiteral("KOI8-R (выбрана вручную)"))) << named.err.toStdString();
    const CliRun wrong = runText(
        folder, {folder.file(QStringLiteral("koi.txt")), QStringLiteral("--encoding"), QStringLiteral("cp1251")});
    EXPECT_EQ(wrong.exitCode, 0);
    EXPECT_EQ(wrong.out, Codec::fromCp1251(koi8));
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("в кодировке Windows-1251 буквы не похожи на русский текст")))
        << wrong.err.toStdString();
    EXPECT_EQ(runText(folder, {QStringLiteral("--encoding"), folder.file(QStringLiteral("koi.txt"))}).exitCode, 2);
}
