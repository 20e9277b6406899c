#pragma once
// Subcommands of lectorium-cli. Each lives in its own file and is listed in
// command_table.cpp.

#include <QString>
#include <QStringList>

#include <cstdio>

struct CliContext
{
    QString programFolder;
    QStringList args; // the arguments after the subcommand's name
    // False for a run with "--no-auto-stress": the automatic stresses are
    // off for this run whatever the settings say.
    bool autoStress = true;
};

struct CliCommand
{
    const char *name;
    const char *summary; // the one line of the general help
    const char *usage;   // what "КОМАНДА --help" prints, and a wrong call on standard error
    int (*run)(CliContext &context);
};

// Every subcommand, in the order --help lists them.
const QList<CliCommand> &cliCommands();

// Output helpers: UTF-8 text on standard output and error.
void cliOut(const QString &text);
void cliErr(const QString &text);

// A command called wrongly: its usage on standard error, and exit code 2.
int usageError(const char *usage);
