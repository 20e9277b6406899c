#include "cli_command.h"

CliCommand dictCommand();
CliCommand voicesCommand();
CliCommand speakCommand();
CliCommand textCommand();
CliCommand importCommand();
CliCommand recordCommand();
CliCommand convertCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(),
        voicesCommand(),
        speakCommand(),
        textCommand(),
        importCommand(),
        recordCommand(),
        convertCommand(),
    };
    return commands;
}
