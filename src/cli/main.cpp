// lectorium-cli: the program's core without windows.

#include "cli/cli_command.h"

#include "common/program_folder.h"
#include "common/program_version.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/speech_program_finder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

void cliOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

void cliErr(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

int usageError(const char *usage)
{
    cliErr(QString::fromUtf8(usage));
    return 2;
}

namespace {

bool isHelpOption(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

QString generalHelp()
{
    QString text = QStringLiteral(
        "Lectorium без окон: книги в аудиокниги.\n"
        "Использование: lectorium-cli [--program-folder ПАПКА] КОМАНДА [АРГУМЕНТЫ]\n"
        "\n"
        "  --program-folder ПАПКА  папка настроек (Lectorium.ini), библиотеки (Projects) и словарей (Dic);\n"
        "                          без него — папка программы, если в неё можно писать, иначе\n"
        "                          ~/.local/share/Lectorium\n"
        "  --no-auto-stress        не расставлять ударения автоматически в этот раз (можно писать в любом\n"
        "                          месте строки)\n"
        "  --help, -h              эта справка\n"
        "  --version               версия программы\n"
        "\n"
        "Команды:\n");
    qsizetype width = 0;
    for (const CliCommand &c : cliCommands())
        width = std::max(width, qsizetype(qstrlen(c.name)));
    for (const CliCommand &c : cliCommands())
        text +=
            QStringLiteral("  %1  %2\n").arg(QString::fromUtf8(c.name), -int(width)).arg(QString::fromUtf8(c.summary));
    text += QStringLiteral("\nСправка по команде: lectorium-cli КОМАНДА --help\n");
    return text;
}

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &c : cliCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // Taken wherever it stands: it is said of the whole run.
    const bool autoStress = args.removeAll(QStringLiteral("--no-auto-stress")) == 0;
    QString programFolder;
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString option = args.takeFirst();
        if (isHelpOption(option)) {
            cliOut(generalHelp());
            return 0;
        }
        if (option == QLatin1String("--version")) {
            cliOut(QStringLiteral("lectorium-cli ") + programVersion() + u'\n');
            return 0;
        }
        if (option == QLatin1String("--program-folder") && !args.isEmpty()) {
            programFolder = QDir(args.takeFirst()).absolutePath();
            continue;
        }
        cliErr(QStringLiteral("Неизвестный параметр: %1\n").arg(option));
        return 2;
    }
    if (args.isEmpty()) {
        cliErr(generalHelp());
        return 2;
    }
    const QString name = args.takeFirst();
    const CliCommand *command = findCommand(name);
    if (!command) {
        cliErr(QStringLiteral("Неизвестная команда: %1 (список команд: lectorium-cli --help)\n").arg(name));
        return 2;
    }
    // Asking for help is never taken for a book, a file or a text.
    if (std::any_of(args.cbegin(), args.cend(), isHelpOption)) {
        cliOut(QString::fromUtf8(command->usage));
        return 0;
    }
    if (programFolder.isEmpty())
        programFolder = decideProgramFolder(QCoreApplication::applicationDirPath());
    QDir().mkpath(programFolder);
    seedProgramFolderFindingVoices(programFolder);
    loadSpeechPrograms(programFolder);

    CliContext context{programFolder, args, autoStress};
    return command->run(context);
}
