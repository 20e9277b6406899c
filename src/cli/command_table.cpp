#include "cli_command.h"

CliCommand dictCommand();
CliCommand textCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(),
        textCommand(),
    };
    return commands;
}
