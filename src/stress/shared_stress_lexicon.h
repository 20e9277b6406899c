#pragma once
// The stress lexicon a program folder uses, loaded once for the whole
// process and shared by everyone who speaks or analyses text (the recording,
// the reader, the editor, the command line). The file is mapped into memory,
// so holding it costs little; loading it twice would only cost time.

#include "stress/stress_lexicon.h"

#include <QString>

// The lexicon found for `programFolder` (StressLexicon::candidateFiles); one
// that is not loaded when there is none or it is damaged, with the reason in
// `error` when given. Safe to call from any thread.
const StressLexicon &sharedStressLexicon(const QString &programFolder, QString *error = nullptr);
