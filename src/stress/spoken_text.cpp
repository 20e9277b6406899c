#include "stress/spoken_text.h"

#include "stress/shared_stress_lexicon.h"
#include "stress/stress_pass.h"

QString spokenText(const QString &original, const QString &rewritten, const SpokenTextOptions &options,
                   QStringList *undecided)
{
    if (!options.lexicon || !options.lexicon->isLoaded())
        return rewritten;
    return StressPass(*options.lexicon).applyAfterRewrite(original, rewritten, undecided);
}

SpokenTextOptions spokenTextOptions(const QString &programFolder, bool autoStress)
{
    SpokenTextOptions options;
    if (autoStress)
        options.lexicon = &sharedStressLexicon(programFolder);
    return options;
}
