#include "recording/voice_text.h"

#include "dictionaries/dictionaries.h"
#include "stress/spoken_text.h"

DictionaryRewrite voiceText(const QString &text, const Settings &settings, const QString &programFolder,
                            const Dictionaries *dictionaries, const DictionaryEngine::YieldHook &yield)
{
    DictionaryRewrite result{text, {}};
    if (dictionaries && settings.applyDictionaries) {
        result = dictionaries->applyDictionaries(text, yield);
        if (!result.ok())
            return result;
    }
    result.text = spokenText(text, result.text, spokenTextOptions(programFolder, settings.autoStress));
    return result;
}
