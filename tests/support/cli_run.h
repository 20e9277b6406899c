#pragma once

#include "support/temp_program_folder.h"

#include <QStringList>

// lectorium-cli run as a user runs it, on a test's program folder.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const TempProgramFolder &folder, const QStringList &args);
