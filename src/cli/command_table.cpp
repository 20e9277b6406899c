#include "cli_command.h"

CliCommand dictCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(),
    };
    return commands;
}
