#include "cli/recorded_text.h"

#include "app/settings.h"
#include "common/program_folder.h"
#include "dictionaries/dictionaries.h"
#include "recording/voice_text.h"

std::optional<QString> textAsRecorded(const CliContext &context, const QString &text, bool withDictionaries)
{
    Settings settings;
    loadSettings(settings, ProgramFolder(context.programFolder).settingsFile());
    settings.autoStress = settings.autoStress && context.autoStress;
    settings.applyDictionaries = settings.applyDictionaries && withDictionaries;
    Dictionaries dictionaries(context.programFolder);
    if (settings.applyDictionaries) {
        dictionaries.loadDictionaryList();
        dictionaries.loadEnabledDictionaries();
    }
    const DictionaryRewrite rewrite = voiceText(text, settings, context.programFolder, &dictionaries);
    if (!rewrite.ok()) {
        cliErr(rewrite.failure + u'\n');
        return std::nullopt;
    }
    return rewrite.text;
}
