#pragma once
// A book of the library recorded from the command line by the same job as
// the window's: the range or a list of blocks, progress on standard error.
// record, convert and rerecord share it.

#include "audiobook/audiobook_format.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How the progress of a recording reaches standard error.
enum class ProgressOutput {
    Lines, // a line per change: a pipe or a file keeps a readable log
    Live,  // one line redrawn in place: a terminal
    None,  // --quiet: errors only
};

// What a record command asks for beside the book.
struct RecordOptions
{
    std::optional<QString> from;
    std::optional<QString> to;
    // When not empty: exactly these blocks (ascending), recorded again.
    QList<int> blocks;
    std::optional<int> jobs;               // encoders at once, in place of the setting
    std::optional<AudiobookFormat> format; // for this run only, in place of the setting
    std::optional<QString> outputFolder;   // for this run only, in place of the setting
    ProgressOutput output = ProgressOutput::Lines;
    bool autoStress = true; // false: off for this run whatever the setting
    bool readAlong = false; // read-along text for this run, whatever the setting
    bool readAlongWords = false;
};

// Takes "--name VALUE" out of `args`.
std::optional<QString> takeOption(QStringList &args, const QString &name);
// Takes "--quiet" out of `args`; a terminal gets the live line.
ProgressOutput takeProgressOutput(QStringList &args);
// Takes "--jobs N", "--format NAME" and "--output DIR" out of `args` into
// `options`; false when one of them is not understood.
bool takeEncodingOptions(QStringList &args, RecordOptions &options);

// Records the library's book `name`; prints its audio folder on standard
// output. The exit code of the command.
int recordBook(const QString &programFolder, const QString &name, const RecordOptions &options);
