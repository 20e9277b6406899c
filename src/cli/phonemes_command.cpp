// lectorium-cli phonemes [--voice N] TEXT: prints what the voice pronounces
// for TEXT as the recording would say it (the enabled dictionaries and the
// automatic stresses included), in espeak-ng's phoneme mnemonics, a line per
// clause. Stress marks in the text ("за+мок") show as the stress they set, so
// a dictionary's stress can be checked without listening.

#include "cli/cli_command.h"
#include "cli/recorded_text.h"

#include "recording/speech/speech_voice.h"

#include <optional>

namespace {

const char *const kUsage = "Использование: lectorium-cli phonemes [--voice N] ТЕКСТ\n"
                           "Выводит, как голос произносит ТЕКСТ, фонемами espeak-ng, по строке на фразу.\n"
                           "Текст проходит словари и расстановку ударений, как при записи книги.\n"
                           "Знак ударения в тексте («за+мок») показывается поставленным ударением.\n"
                           "  --voice N  номер голоса из списка lectorium-cli voices (без него — русский голос)\n";

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
    if (!args)
        return usageError(kUsage);
    SpeechVoice voice;
    const int index = args->voice >= 0 ? args->voice : SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
    if (!voice.selectVoice(index)) {
        cliErr(QStringLiteral("Нет голоса с номером %1 (список: lectorium-cli voices).\n").arg(index));
        return 1;
    }
    const std::optional<QString> text = textAsRecorded(context, args->text);
    if (!text)
        return 1;
    cliOut(voice.phonemes(*text, SVSFIsNotXML));
    return 0;
}

} // namespace

CliCommand phonemesCommand()
{
    return {"phonemes", "показать, как голос произносит текст (фонемы espeak-ng)", kUsage, runPhonemes};
}
