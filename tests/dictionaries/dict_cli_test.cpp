// lectorium-cli dict apply, run as the user would run it.

#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

QByteArray runCli(const QStringList &args, const QByteArray &input = {})
{
    QProcess cli;
    cli.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium-cli"), args);
    cli.write(input);
    cli.closeWriteChannel();
    cli.waitForFinished(30000);
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return cli.readAllStandardOutput();
}

} // namespace

TEST(DictCli, AppliesTheEnabledDictionariesOfTheGivenProgramFolder)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("//Словарь Lectorium\r\nзамок=за+мок\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/b.dic"), QStringLiteral("мок=МОК\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"a.dic\",#TRUE#\r\n\"b.dic\",#FALSE#\r\n"));
    folder.writeCp1251(QStringLiteral("book.txt"), QStringLiteral("Старый замок.\r\nЗамок"));
    const QStringList base = {QStringLiteral("--program-folder"), folder.path(), QStringLiteral("dict"),
                              QStringLiteral("apply")};

    EXPECT_EQ(Codec::fromCp1251(runCli(base + QStringList{folder.file(QStringLiteral("book.txt"))})),
              QStringLiteral("Старый за+мок.\r\nза+мок"));
    EXPECT_EQ(QString::fromUtf8(
                  runCli(base + QStringList{QStringLiteral("--utf8")}, QStringLiteral("замок и замок").toUtf8())),
              QStringLiteral("за+мок и за+мок"));
}

TEST(DictCli, ADictionaryThatExplodesEndsWithAMessageAndAnError)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("*ы*=ыыыыыыыыыы\r\n*ыы*=ыыыыыыыыыы\r\n"));
    QProcess cli;
    cli.start(QStringLiteral(LECTORIUM_BIN_DIR "/lectorium-cli"),
              {QStringLiteral("--program-folder"), folder.path(), QStringLiteral("dict"), QStringLiteral("apply"),
               QStringLiteral("--utf8")});
    cli.write(QStringLiteral("ы").repeated(1000).toUtf8());
    cli.closeWriteChannel();
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    const QString error = QString::fromUtf8(cli.readAllStandardError());
    EXPECT_TRUE(error.contains(QStringLiteral("Словарь «a.dic»: после статьи «*ыы*=ыыыыыыыыыы»")))
        << error.toStdString();
}
