#pragma once
// The plain-text voices' control tags, as the voice markup writes them for a
// role (\absspeed{N} and \abspitch{N} in per cent of the voice's normal,
// \pause{Nms}, \voice{name} for a role with a voice of its own), taken apart
// into pieces a speech program can speak one at a time: text with its rate,
// pitch and voice, and silences. Other tags of the form \name{...} are
// dropped; a backslash that opens no tag is text.

#include "recording/speech/sapi_markup.h"

// Text pieces carry rate and pitch in per cent (100 is the voice's normal).
// Neighbouring text of the same rate, pitch and voice is one piece, and text
// without a letter or digit (the full stops put before role tags) is left
// out: a program would only make a short noise of it.
QList<SpeechPiece> parseCubeMarkup(const QString &text);

// True when the text holds a letter or digit: anything else is not worth a
// run of a speech program.
bool hasSpeakableCharacter(const QString &text);
