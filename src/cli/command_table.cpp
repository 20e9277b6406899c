#include "cli/cli_command.h"

CliCommand dictCommand();
CliCommand voicesCommand();
CliCommand speakCommand();
CliCommand sayCommand();
CliCommand phonemesCommand();
CliCommand stressCommand();
CliCommand textCommand();
CliCommand importCommand();
CliCommand recordCommand();
CliCommand convertCommand();
CliCommand rerecordCommand();

const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        dictCommand(), voicesCommand(), speakCommand(),  sayCommand(),     phonemesCommand(), stressCommand(),
        textCommand(), importCommand(), recordCommand(), convertCommand(), rerecordCommand(),
    };
    return commands;
}
