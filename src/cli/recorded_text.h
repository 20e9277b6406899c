#pragma once
// A text as the recording of a book would give it to the voice, with the
// settings of the command's program folder: `speak` and `phonemes` say and
// show what the recording says.

#include "cli/cli_command.h"

#include <QString>

#include <optional>

// Nothing, with the reason on standard error, when the dictionaries could not
// rewrite the text. `withDictionaries` false: the stresses only.
std::optional<QString> textAsRecorded(const CliContext &context, const QString &text, bool withDictionaries = true);
