// lectorium-cli: the program's core without windows.

#include "cli/cli_command.h"

#include "common/program_folder.h"
#include "recording/speech/speech_program_definition.h"

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

namespace {

void printHelp()
{
    QString text = QStringLiteral("Использование: lectorium-cli [--program-folder ПАПКА] КОМАНДА [АРГУМЕНТЫ]\n"
                                  "Usage: lectorium-cli [--program-folder DIR] COMMAND [ARGS]\n\n"
                                  "  --program-folder DIR  the folder of settings, projects and dictionaries\n"
                                  "  --help, --version\n\nCommands:\n");
    for (const CliCommand &c : cliCommands())
        text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.usage));
    cliOut(text);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString programFolder;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--help")) {
            printHelp();
            return 0;
        }
        if (option == QLatin1String("--version")) {
            cliOut(QStringLiteral("lectorium-cli " LECTORIUM_VERSION "\n"));
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
        printHelp();
        return 2;
    }
    if (programFolder.isEmpty())
        programFolder = decideProgramFolder(QCoreApplication::applicationDirPath());
    QDir().mkpath(programFolder);
    seedProgramFolder(programFolder);
    loadSpeechPrograms(programFolder);

    const QString name = args.takeFirst();
    for (const CliCommand &c : cliCommands()) {
        if (name == QLatin1String(c.name)) {
            CliContext context{programFolder, args};
            return c.run(context);
        }
    }
    cliErr(QStringLiteral("Неизвестная команда: %1\n").arg(name));
    return 2;
}
