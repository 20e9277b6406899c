// lectorium-cli voices: the speech voices, one a line: index, description and
// markup kind (8 SAPI XML, 16 plain text with control tags), tab-separated.

#include "cli/cli_command.h"

#include "recording/recording_job.h"
#include "recording/speech/speech_voice.h"

namespace {

int runVoices(CliContext &)
{
    const QList<VoiceToken> voices = SpeechVoice::voices();
    if (voices.isEmpty()) {
        cliErr(kNoVoicesMessage + u'\n');
        return 1;
    }
    QString out;
    for (int i = 0; i < voices.size(); ++i)
        out += QStringLiteral("%1\t%2\t%3\n").arg(i).arg(voices.at(i).description).arg(int(voices.at(i).kind));
    cliOut(out);
    return 0;
}

} // namespace

CliCommand voicesCommand()
{
    return {"voices", "voices  list the speech voices: index, description, markup kind", runVoices};
}
