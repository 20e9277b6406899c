#pragma once
// The voice a speaking command uses: the one named by its number, or the
// first Russian voice.

#include "recording/speech/speech_voice.h"

// Selects voice `requested` (-1: the Russian voice) in `voice`; false, with
// the reason on standard error, when there is no such voice or it cannot
// speak.
bool selectCliVoice(SpeechVoice &voice, int requested);
