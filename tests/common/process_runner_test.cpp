#include "common/process_runner.h"
#include "common/program_folder.h"

#include "support/temp_program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ProcessRunner, ArgumentsArriveIntactAndOneRunsAtATime)
{
    TempProgramFolder folder;
    const QString out = folder.file(QStringLiteral("args.txt"));
    // Each argument on its own line: quotes, $, backslashes, leading dashes
    // and Cyrillic must arrive as they are, with no shell in between.
    const QStringList tricky = {QStringLiteral("\"Книга\" 'с' $HOME `id` \\ ; rm -rf /"), QStringLiteral("--help"),
                                QStringLiteral("Глава первая")};
    ProcessRunner runner;
    ProcessRequest request{
        QStringLiteral("/bin/sh"),
        QStringList{QStringLiteral("-c"), QStringLiteral("printf '%s\\n' \"$@\" > \"$0\"; sleep 0.3"), out} + tricky};
    ASSERT_TRUE(runner.runProcess(request));
    EXPECT_TRUE(runner.processRunning());
    EXPECT_FALSE(runner.runProcess(request)); // the last one still runs
    ASSERT_TRUE(runner.waitForEnd(5000));
    EXPECT_FALSE(runner.processRunning());
    EXPECT_EQ(runner.lastExitCode(), 0);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), tricky.join(u'\n') + u'\n');
}

TEST(ProcessRunner, PriorityBecomesANiceValue)
{
    EXPECT_EQ(niceValueForPriority(0), 0);
    EXPECT_EQ(niceValueForPriority(1), 19);
    EXPECT_EQ(niceValueForPriority(2), -5);
    EXPECT_EQ(niceValueForPriority(7), 0);
    TempProgramFolder folder;
    const QString out = folder.file(QStringLiteral("nice.txt"));
    ProcessRunner runner;
    ASSERT_TRUE(runner.runProcess(
        {QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("nice > \"$0\""), out}, 1}));
    ASSERT_TRUE(runner.waitForEnd(5000));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().trimmed().toInt(), 19);
}

TEST(ProcessRunner, MissingProgramIsNoRunningProcess)
{
    ProcessRunner runner;
    EXPECT_FALSE(runner.processRunning()); // nothing started yet
    EXPECT_FALSE(runner.runProcess({QStringLiteral("/nonexistent/lame")}));
    EXPECT_FALSE(runner.processRunning());
    EXPECT_EQ(runner.lastExitCode(), -1);
}

TEST(ProgramFolder, WritableExecutableFolderOrTheUsersDataFolder)
{
    TempProgramFolder folder;
    EXPECT_EQ(decideProgramFolder(folder.path()), QDir::cleanPath(folder.path()));
    const QString home = folder.file(QStringLiteral("data"));
    qputenv("XDG_DATA_HOME", home.toUtf8());
    EXPECT_EQ(decideProgramFolder(QStringLiteral("/nonexistent/bin")), home + QStringLiteral("/Lectorium"));
    // An installed program keeps its files in the user's folder even where it
    // could write beside itself (root).
    EXPECT_EQ(decideProgramFolder(QStringLiteral("/usr/bin")), home + QStringLiteral("/Lectorium"));
    EXPECT_TRUE(QFileInfo(home + QStringLiteral("/Lectorium")).isDir());
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ProgramFolder(QStringLiteral("/p")).projectsDir(), QStringLiteral("/p/Projects"));
    EXPECT_EQ(ProgramFolder(QStringLiteral("/p")).file(QStringLiteral("Dic/a.dic")), QStringLiteral("/p/Dic/a.dic"));
}

TEST(ProgramFolder, SeedingWritesMissingFilesOnly)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Lectorium.ini"), QStringLiteral("[mine]\r\n"));
    seedProgramFolder(folder.path());
    EXPECT_EQ(folder.readBytes(QStringLiteral("Lectorium.ini")), QByteArray("[mine]\r\n"));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Doc/readme.htm"))));
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("Doc/readme.htm"))).isWritable());
}
