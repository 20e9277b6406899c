#include "cli_command.h"

CliCommand dictCommand();
CliCommand voicesCommand();
CliCommand speakCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(),
        voicesCommand(),
        speakCommand(),
    };
    return commands;
}
