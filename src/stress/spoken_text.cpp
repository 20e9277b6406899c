#include "stress/spoken_text.h"

#include "stress/number_words.h"
#include "stress/shared_stress_lexicon.h"
#include "stress/stress_pass.h"

QString spokenText(const QString &original, const QString &rewritten, const SpokenTextOptions &options,
                   QStringList *undecided)
{
    // The numbers are said in words in both texts, so the words they become
    // are not taken for the dictionaries' changes (and get their stresses).
    const QString said = numbersInRussianWords(rewritten);
    if (!options.lexicon || !options.lexicon->isLoaded())
        return said;
    const QString saidOriginal = &original == &rewritten ? said : numbersInRussianWords(original);
    return StressPass(*options.lexicon).applyAfterRewrite(saidOriginal, said, undecided);
}

SpokenTextOptions spokenTextOptions(const QString &programFolder, bool autoStress)
{
    SpokenTextOptions options;
    if (autoStress)
        options.lexicon = &sharedStressLexicon(programFolder);
    return options;
}
