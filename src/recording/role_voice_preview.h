#pragma once
// What the voice page's "Прослушать" speaks: a short dialogue in the four
// roles, marked up the way the recording marks up a block for the voice, so
// the user hears each role's voice, rate, pitch and pause as a book gets them.

#include "recording/speech/voice_table.h"

#include <QString>

QString rolePreviewMarkup(const VoiceParams &voice);
// Speak flags for that markup (asynchronous, dropping what is being said).
int rolePreviewFlags(const VoiceParams &voice);
