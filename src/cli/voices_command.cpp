// lectorium-cli voices: the speech voices as the options window lists them
// (Russian first, under Russian names), one a line: index (what --voice and
// "Номер движка" take), name and markup kind (8 SAPI XML, 16 plain text with
// control tags), tab-separated. With --find it first looks for the speech
// programs installed, as the options window's "Найти голоса" does.

#include "cli/cli_command.h"

#include "common/program_folder.h"
#include "recording/recording_job.h"
#include "recording/speech/speech_program_finder.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_list.h"

namespace {

const char *const kUsage =
    "Использование: lectorium-cli voices [--find]\n"
    "Выводит голоса синтезатора речи, как их показывает окно настроек (сначала русские), по одному\n"
    "в строке, через табуляцию: номер (для --voice), название и вид разметки (8 — SAPI XML,\n"
    "16 — простой текст с управляющими метками).\n"
    "  --find  сначала найти установленные речевые программы (Festival, RHVoice, Piper, espeak-ng),\n"
    "          включить их голоса в SpeechPrograms.ini и выключить ненайденные; чего им не хватает,\n"
    "          выводится в стандартный поток ошибок\n";

// Looks for the known programs again and writes the file; false when it
// could not be written.
bool findSpeechPrograms(const QString &programFolder)
{
    const QString file = ProgramFolder(programFolder).speechProgramsFile();
    QList<SpeechProgramDefinition> definitions = loadSpeechProgramDefinitions(file);
    const QHash<QString, QString> missing = switchOnFoundSpeechPrograms(definitions, programSearchPlaces());
    for (const SpeechProgramDefinition &definition : std::as_const(definitions))
        if (missing.contains(definition.section))
            cliErr(QStringLiteral("%1: выключен, %2\n").arg(definition.name, missing.value(definition.section)));
    if (!saveSpeechProgramDefinitions(definitions, {}, file)) {
        cliErr(QStringLiteral("Не удалось записать файл голосов %1\n").arg(file));
        return false;
    }
    loadSpeechPrograms(programFolder);
    return true;
}

int runVoices(CliContext &context)
{
    const bool find = context.args == QStringList{QStringLiteral("--find")};
    if (!context.args.isEmpty() && !find)
        return usageError(kUsage);
    if (find && !findSpeechPrograms(context.programFolder))
        return 1;
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
