#include "cli/cli_voice.h"

#include "cli/cli_command.h"
#include "recording/recording_job.h"

bool selectCliVoice(SpeechVoice &voice, int requested)
{
    if (SpeechVoice::voices().isEmpty()) {
        cliErr(kNoVoicesMessage + u'\n');
        return false;
    }
    const int index = requested >= 0 ? requested : SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
    if (!voice.selectVoice(index)) {
        cliErr(QStringLiteral("Нет голоса с номером %1 (список: lectorium-cli voices).\n").arg(index));
        return false;
    }
    if (const QString problem = SpeechVoice::voiceProblem(index); !problem.isEmpty()) {
        cliErr(problem + u'\n');
        return false;
    }
    return true;
}
