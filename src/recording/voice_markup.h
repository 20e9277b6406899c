#pragma once
// Turning the role markers into the markup of the engine that speaks the
// text: SAPI XML (ReplX) or Speech Cube control tags (Repl), with each role's
// rate, pitch and pause from the voice's record.

#include "options/voice_table.h"

#include <QString>

QString ReplX(const QString &text, const VoiceParams &voice);
QString Repl(const QString &text, const VoiceParams &voice);

// The same for the voice selected in the settings ("Номер движка").
QString ReplX(const QString &text, int voiceIndex);
QString Repl(const QString &text, int voiceIndex);
