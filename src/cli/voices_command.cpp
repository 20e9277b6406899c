// lectorium-cli voices: the speech voices as the options window lists them
// (Russian first, under Russian names), one a line: index (what --voice and
// "Номер движка" take), name and markup kind (8 SAPI XML, 16 plain text with
// control tags), tab-separated.

#include "cli/cli_command.h"

#include "recording/recording_job.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_list.h"

namespace {

const char *const kUsage =
    "Использование: lectorium-cli voices\n"
    "Выводит голоса синтезатора речи, как их показывает окно настроек (сначала русские), по одному\n"
    "в строке, через табуляцию: номер (для --voice), название и вид разметки (8 — SAPI XML,\n"
    "16 — простой текст с управляющими метками).\n";

int runVoices(CliContext &context)
{
    if (!context.args.isEmpty())
        return usageError(kUsage);
    const QList<VoiceToken> voices = SpeechVoice::voices();
    if (voices.isEmpty()) {
        cliErr(kNoVoicesMessage + u'\n');
        return 1;
    }
    QString out;
    for (const ListedVoice &voice : listedVoices(voices))
        out += QStringLiteral("%1\t%2\t%3\n").arg(voice.index).arg(voice.name).arg(int(voices.at(voice.index).kind));
    cliOut(out);
    return 0;
}

} // namespace

CliCommand voicesCommand()
{
    return {"voices", "список голосов синтезатора речи", kUsage, runVoices};
}
