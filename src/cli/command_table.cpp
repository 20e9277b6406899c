#include "cli_command.h"

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
    };
    return commands;
}
