#pragma once
// Turning the role markers into the markup of the engine that speaks the
// text: SAPI XML (toSapiMarkup) or Speech Cube control tags (Repl), with each role's
// rate, pitch and pause from the voice's record, and, when some role has a
// voice of its own, every role's voice (<voice required="Name=..."/>,
// \voice{...}) so the speech layer switches voices stretch by stretch.

#include "recording/speech/voice_table.h"

#include <QString>

QString toSapiMarkup(const QString &text, const VoiceParams &voice);
QString toCubeMarkup(const QString &text, const VoiceParams &voice);

// The same for the voice selected in the settings ("Номер движка").
QString toSapiMarkup(const QString &text, int voiceIndex);
QString toCubeMarkup(const QString &text, int voiceIndex);
