#pragma once
// A voice that is a speech program speaks its pieces by running the program
// once for each stretch of text (a sentence or several, up to a length that
// keeps the progress moving) and putting the WAV it writes into the voice's
// output; pause pieces become silence of their length between the runs.
// The program's failure (it did not start, exited with an error, wrote no
// sound) ends the job and is kept in the speech state for the user.

#include "recording/speech/espeak_engine.h"

// Runs on the synthesis thread; the job's `program` is set.
void speakThroughProgram(SpeechJob &job, const PcmFormat &format);

// Why the program of `definition` cannot speak at all (no command, no {wav},
// the program is not installed), in words for the user; empty when it can.
QString speechProgramProblem(const SpeechProgramDefinition &definition);
