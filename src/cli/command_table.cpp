#include "cli_command.h"

CliCommand dictCommand();
CliCommand voicesCommand();
CliCommand speakCommand();
CliCommand textCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(),
        voicesCommand(),
        speakCommand(),
        textCommand(),
    };
    return commands;
}
