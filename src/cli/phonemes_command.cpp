// lectorium-cli phonemes [--voice N] TEXT: prints what the voice pronounces
// for TEXT, in espeak-ng's phoneme mnemonics, a line per clause. Stress
// marks in the text ("за+мок") show as the stress they set, so a dictionary's
// stress can be checked without listening.

#include "cli/cli_command.h"

#include "recording/speech/speech_voice.h"

#include <optional>

namespace {

const QString kUsage = QStringLiteral("Использование: lectorium-cli phonemes [--voice N] ТЕКСТ\n");

struct PhonemesArgs
{
    int voice = -1;
    QString text;
};

std::optional<PhonemesArgs> parseArgs(QStringList args)
{
    PhonemesArgs parsed;
    QStringList words;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--voice" && !args.isEmpty()) {
            bool ok = false;
            parsed.voice = args.takeFirst().toInt(&ok);
            if (!ok)
                return std::nullopt;
        } else {
            words.append(arg);
        }
    }
    parsed.text = words.join(u' ');
    if (parsed.text.trimmed().isEmpty())
        return std::nullopt;
    return parsed;
}

int runPhonemes(CliContext &context)
{
    const std::optional<PhonemesArgs> args = parseArgs(context.args);
    if (!args) {
        cliErr(kUsage);
        return 2;
    }
    SpeechVoice voice;
    const int index = args->voice >= 0 ? args->voice : SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
    if (!voice.selectVoice(index)) {
        cliErr(QStringLiteral("Нет голоса с номером %1 (список: lectorium-cli voices).\n").arg(index));
        return 1;
    }
    cliOut(voice.phonemes(args->text, SVSFIsNotXML));
    return 0;
}

} // namespace

CliCommand phonemesCommand()
{
    return {"phonemes", "phonemes [--voice N] TEXT  print what the voice pronounces, in espeak-ng phonemes",
            runPhonemes};
}
