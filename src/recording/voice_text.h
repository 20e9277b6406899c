#pragma once
// What the voice says for a text with the user's settings: the enabled
// pronunciation dictionaries rewrite it (when the settings apply them), then
// the automatic stresses go in (stress/spoken_text.h). A block of the book,
// `lectorium-cli speak` and `phonemes` all go through here, so what the
// command line shows is what the recording says.

#include "app/settings.h"
#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_rewrite.h"

#include <QString>

class Dictionaries;

// `dictionaries` may be null (no dictionary step). When the dictionaries
// could not rewrite the text, the result says why and holds no text.
DictionaryRewrite voiceText(const QString &text, const Settings &settings, const QString &programFolder,
                            const Dictionaries *dictionaries, const DictionaryEngine::YieldHook &yield = {});
