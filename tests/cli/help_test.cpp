// lectorium-cli's help, as a user asks for it: the general help and each
// command's, in Russian, and never a "--help" taken for a book or a file.

#include "support/cli_run.h"
#include "support/temp_program_folder.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The command names the general help lists, a line each after "Команды:".
QStringList listedCommands(const QString &help)
{
    QStringList names;
    const QString list = help.section(QStringLiteral("Команды:\n"), 1);
    static const QRegularExpression line(QStringLiteral("^  ([a-z]+)  +\\S"), QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(list.section(QStringLiteral("\n\n"), 0, 0)); match.hasNext();)
        names.append(match.next().captured(1));
    return names;
}

} // namespace

TEST(CliHelp, GeneralHelpIsRussianAndListsTheCommands)
{
    TempProgramFolder folder;
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CliRun run = runCli(folder, {option});
        EXPECT_EQ(run.exitCode, 0) << option.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Использование: lectorium-cli [--program-folder ПАПКА] КОМАНДА")))
            << run.out.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("Usage"))) << run.out.toStdString();
        EXPECT_FALSE(run.out.contains(QStringLiteral("Commands"))) << run.out.toStdString();
        EXPECT_EQ(listedCommands(run.out), QStringList({"dict", "voices", "speak", "say", "phonemes", "stress", "text",
                                                        "import", "record", "convert", "rerecord"}));
    }
    // No command: the help on standard error, as a usage error.
    const CliRun bare = runCli(folder, {});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.err.contains(QStringLiteral("Команды:")));
}

TEST(CliHelp, EveryCommandHasItsOwnHelpAndNoneTakesItForAnArgument)
{
    TempProgramFolder folder;
    const QStringList commands = listedCommands(runCli(folder, {QStringLiteral("--help")}).out);
    ASSERT_FALSE(commands.isEmpty());
    for (const QString &command : commands) {
        // After the command, and after other arguments too.
        for (const QStringList &args :
             {QStringList{command, QStringLiteral("--help")}, QStringList{command, QStringLiteral("-h")},
              QStringList{command, QStringLiteral("Книга"), QStringLiteral("--help")}}) {
            const CliRun run = runCli(folder, args);
            const std::string shown = args.join(u' ').toStdString();
            EXPECT_EQ(run.exitCode, 0) << shown;
            EXPECT_TRUE(run.out.section(u'\n', 0, 0).section(u' ', 0, 2)
                        == QStringLiteral("Использование: lectorium-cli ") + command)
                << shown << ": " << run.out.toStdString();
            // Below the usage, what the command does, in Russian words.
            EXPECT_TRUE(run.out.section(u'\n', 1).contains(QRegularExpression(QStringLiteral("[а-яё]{4} [а-яё]{4}"))))
                << shown;
            EXPECT_TRUE(run.err.isEmpty()) << shown << ": " << run.err.toStdString();
        }
    }
    // Nothing was looked for or written: not even the settings are seeded.
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}
