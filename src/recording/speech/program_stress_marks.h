#pragma once
// Our texts mark a stress with "+" (or an accent) after the vowel; speech
// programs each read another form or none.

#include "recording/speech/speech_program_definition.h"

#include <QString>

// The text with each stress mark that follows a Russian vowel written in
// `form`; marks after anything else ("C++") stay as they are.
QString withStressForm(const QString &text, StressForm form);
