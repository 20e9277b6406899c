#pragma once
// Running an outside converter (LibreOffice, pdftotext, calibre's
// ebook-convert) with an argument list and a time limit, letting pending
// events run while it works, so a window stays alive and a hanging
// converter is given up instead of holding the program.

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class ConverterOutcome {
    Finished, // ended with exit code 0
    Missing,  // not installed, or would not start
    Failed,   // ended with another exit code, or crashed
    TimedOut, // stopped after the time limit
};

struct ConverterRun
{
    ConverterOutcome outcome = ConverterOutcome::Failed;
    QByteArray standardOutput; // when asked for
};

// The program's path on PATH by its name ("pdftotext"); empty when none.
QString findConverter(const QString &name);

// Runs `program` (a path) with `arguments` in `workingDirectory` (empty:
// ours) for at most `timeoutSeconds`. Only a program that writes little on
// standard output should have it kept; the rest write into files.
ConverterRun runConverter(const QString &program, const QStringList &arguments, int timeoutSeconds,
                          const QString &workingDirectory = {}, bool keepStandardOutput = false);
