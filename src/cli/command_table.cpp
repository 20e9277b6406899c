#include "cli/cli_command.h"

CliCommand dictCommand();
CliCommand voicesCommand();
CliCommand speakCommand();
CliCommand phonemesCommand();
CliCommand stressCommand();
CliCommand textCommand();
CliCommand importCommand();
CliCommand recordCommand();
CliCommand convertCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(), voicesCommand(), speakCommand(),  phonemesCommand(), stressCommand(),
        textCommand(), importCommand(), recordCommand(), convertCommand(),
    };
    return commands;
}
