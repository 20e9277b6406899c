// The speech engine's exception dictionary: reading, writing, conversion and
// the copies made around the engine's file.

#include "dictionaries/dictionary_file.h"
#include "dictionaries/exception_dictionary.h"

#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ExceptionDictionary, LinesReadAndConvert)
{
    const QString caseBlind = QStringLiteral("тест :\t<те##ст> /i");
    const auto row = parseExceptionLine(caseBlind, false);
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, (ExceptionRow{QStringLiteral("тест"), QStringLiteral("<те##ст>"), QStringLiteral("/i")}));
    EXPECT_EQ(parseExceptionLine(caseBlind, true)->pronunciation, QStringLiteral("те ст"));
    EXPECT_FALSE(parseExceptionLine(QStringLiteral("а:б"), false)); // 3 characters
    EXPECT_FALSE(parseExceptionLine(QStringLiteral("//а :\tб"), false));
    EXPECT_FALSE(parseExceptionLine(QStringLiteral("  // a comment: indented"), false));
    EXPECT_EQ(convertExceptionLines({caseBlind, QStringLiteral("Тест :\t<те##ст>"), QStringLiteral("а:б")}),
              (QStringList{QStringLiteral("тест=те ст"), QStringLiteral("$Тест=те ст")}));
    EXPECT_EQ(toEngineNotation(QStringLiteral("два слова")), QStringLiteral("<два##слова>"));
    EXPECT_EQ(toEngineNotation(QStringLiteral("<те##ст>")), QStringLiteral("<те##ст>")); // stored form stays as it is
}

TEST(ExceptionDictionary, WrittenFileReadsBack)
{
    TempProgramFolder folder;
    const QList<ExceptionRow> rows = {{QStringLiteral("Москва"), QStringLiteral("<Моск##ва>"), QString()},
                                      {QStringLiteral("тест"), QStringLiteral("<те##ст>"), QStringLiteral("/i")}};
    const QStringList lines = exceptionFileLines(rows, QStringLiteral("1.2.3"));
    EXPECT_EQ(lines[1], QStringLiteral("// Редактор словаря Lectorium 1.2.3"));
    EXPECT_EQ(lines[14], QStringLiteral("Москва :\t<Моск##ва>"));
    EXPECT_EQ(lines.last(), QStringLiteral("// End of file"));
    ExceptionDictionaryFiles files(folder.path(), folder.file(QStringLiteral("engine/exc_rus.txt")));
    ASSERT_TRUE(files.writeWorkingCopy(rows, QStringLiteral("1.2.3")));
    const auto load = loadExceptionDictionary(files.workingCopy(), false);
    ASSERT_TRUE(load);
    EXPECT_EQ(load->rows, rows);
}

TEST(ExceptionDictionary, LoadCanBeCancelled)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("exc_rus.txt"), QStringLiteral("раз :\t<раз>\r\nдва :\t<два>\r\n"));
    int asked = 0;
    const auto load =
        loadExceptionDictionary(folder.file(QStringLiteral("exc_rus.txt")), false, [&] { return ++asked > 1; });
    ASSERT_TRUE(load);
    EXPECT_TRUE(load->cancelled);
    EXPECT_EQ(load->rows.size(), 1);
}

TEST(ExceptionDictionary, BackupsAreMadeOnceAndTheEngineFileIsReplaced)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("engine/exc_rus.txt"), QStringLiteral("старый :\t<ста##рый>\r\n"));
    const QString engine = folder.file(QStringLiteral("engine/exc_rus.txt"));
    ExceptionDictionaryFiles files(folder.path(), engine);
    EXPECT_EQ(files.engineBackup(), folder.file(QStringLiteral("engine/exc_rus.bak")));

    const auto first = files.refreshCopies();
    EXPECT_TRUE(first.copied);
    EXPECT_TRUE(first.madeEngineBackup);
    const QByteArray original = folder.readBytes(QStringLiteral("engine/exc_rus.txt"));
    EXPECT_EQ(folder.readBytes(QStringLiteral("exc_rus.txt")), original);
    EXPECT_EQ(folder.readBytes(QStringLiteral("exc_rus.bak")), original);

    ASSERT_TRUE(files.writeWorkingCopy({{QStringLiteral("новый"), QStringLiteral("<но##вый>"), QString()}},
                                       QStringLiteral("1.0.0")));
    ASSERT_TRUE(files.replaceEngineFile());
    EXPECT_EQ(folder.readBytes(QStringLiteral("engine/exc_rus.txt")), folder.readBytes(QStringLiteral("exc_rus.txt")));

    // The one-time backup keeps the very first state.
    EXPECT_FALSE(files.refreshCopies().madeEngineBackup);
    EXPECT_EQ(folder.readBytes(QStringLiteral("engine/exc_rus.bak")), original);
}

TEST(ExceptionDictionary, ReadOnlyEngineFolderLosesNothing)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("engine/exc_rus.txt"), QStringLiteral("слово :\t<сло##во>\r\n"));
    const QString engineFolder = folder.file(QStringLiteral("engine"));
    const QByteArray original = folder.readBytes(QStringLiteral("engine/exc_rus.txt"));
    QFile::setPermissions(engineFolder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(engineFolder).isWritable()) // running as a user who ignores permissions
        GTEST_SKIP() << "the folder cannot be made read-only here";

    ExceptionDictionaryFiles files(folder.path(), engineFolder + QStringLiteral("/exc_rus.txt"));
    const auto refresh = files.refreshCopies();
    EXPECT_TRUE(refresh.copied);
    EXPECT_FALSE(refresh.madeEngineBackup);
    ASSERT_TRUE(files.writeWorkingCopy({{QStringLiteral("новое"), QStringLiteral("<но##вое>"), QString()}},
                                       QStringLiteral("1.0.0")));
    EXPECT_FALSE(files.replaceEngineFile());
    EXPECT_EQ(folder.readBytes(QStringLiteral("engine/exc_rus.txt")), original);
    EXPECT_TRUE(Codec::fromCp1251(folder.readBytes(QStringLiteral("exc_rus.txt"))).contains(QStringLiteral("новое")));
    QFile::setPermissions(engineFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ExceptionDictionary, ConvertedFileIsAnOwnDictionary)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("exc_rus.txt"),
                       QStringLiteral("// comment\r\nтест :\t<те##ст> /i\r\nМосква :\t<Моск##ва>\r\n"));
    ASSERT_TRUE(
        convertExceptionDictionary(folder.file(QStringLiteral("exc_rus.txt")), folder.file(QStringLiteral("exc.dic"))));
    DictionaryTable t;
    loadDictionaryFile(t, folder.file(QStringLiteral("exc.dic")), false);
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[1].key, QStringLiteral("Москва"));
    EXPECT_TRUE(t[1].caseSensitive);
    EXPECT_EQ(t[1].mode, BoundaryMode::DelimiterBeforeAndAfter);
}
