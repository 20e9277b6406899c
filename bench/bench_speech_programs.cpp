// What a speech program voice costs per stretch of text: each installed
// program of the shipped "SpeechPrograms.ini" (espeak-ng's command line,
// Festival started for each stretch, Festival staying running) speaks a
// one-word stretch several times, and a paragraph once. The one-word time is
// the program's start cost; the paragraph gives its speed against the sound
// it makes.

#include "spoken_into_wav.h"

#include "common/program_folder.h"
#include "recording/speech/speech_program_definition.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kWordRuns = 5;

const QString kParagraph = QStringLiteral(
    "Старый дом стоял на краю деревни, и по вечерам в его окнах горел тёплый свет. Хозяин дома любил долгие "
    "прогулки по полю и возвращался затемно, когда в деревне уже спали.");

void measure(const char *label, const SpeechProgramDefinition &program, const QString &wav)
{
    SpeechVoice voice;
    voice.selectProgram(program);
    // The first stretch pays a staying program's start; it is shown apart.
    const Spoken first = speakIntoWav(voice, QStringLiteral("Да."), wav);
    if (!voice.failure().isEmpty()) {
        std::printf("%-34s failed: %s\n", label, qPrintable(voice.failure()));
        return;
    }
    double words = 0;
    for (int i = 0; i < kWordRuns; ++i)
        words += speakIntoWav(voice, QStringLiteral("Да."), wav).seconds;
    const Spoken paragraph = speakIntoWav(voice, kParagraph, wav);
    std::printf("%-34s first %6.2f s, then %6.2f s a stretch; paragraph %6.2f s for %5.1f s of sound\n", label,
                first.seconds, words / kWordRuns, paragraph.seconds, paragraph.soundSeconds);
}

} // namespace

int main()
{
    QTemporaryDir dir;
    seedProgramFolder(dir.path());
    const QList<SpeechProgramDefinition> shipped =
        loadSpeechProgramDefinitions(ProgramFolder(dir.path()).speechProgramsFile());
    const QString wav = dir.filePath(QStringLiteral("out.wav"));
    for (SpeechProgramDefinition program : shipped) {
        const QString executable = QProcess::splitCommand(program.command).value(0);
        if (QStandardPaths::findExecutable(executable).isEmpty()) {
            std::printf("%-34s not installed\n", qPrintable(program.name));
            continue;
        }
        program.enabled = true;
        if (program.usesSession()) {
            measure(qPrintable(program.name + QStringLiteral(", staying")), program, wav);
            program.sessionCommand.clear();
            measure(qPrintable(program.name + QStringLiteral(", each stretch")), program, wav);
        } else {
            measure(qPrintable(program.name), program, wav);
        }
    }
    return 0;
}
