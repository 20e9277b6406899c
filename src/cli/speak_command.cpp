// lectorium-cli speak [--voice N] [--xml] FILE -o OUT.wav: speaks a text file
// (Windows-1251, or UTF-8 when it looks like UTF-8) into a WAV file with the
// same voice the recording uses, after the same dictionaries and stresses.
// Without --voice the first Russian voice speaks; with --xml the text is the
// voice markup's SAPI XML (which the dictionaries, made for a book's text,
// do not rewrite; the stresses leave its tags alone).

#include "cli/cli_command.h"
#include "cli/cli_voice.h"
#include "cli/recorded_text.h"

#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/speech_voice.h"

#include <memory>

namespace {

const char *const kUsage =
    "Использование: lectorium-cli speak [--voice N] [--xml] ФАЙЛ -o ВЫХОД.wav\n"
    "Озвучивает текстовый файл (Windows-1251 или UTF-8) в WAV-файл тем же голосом, что и запись книги.\n"
    "  --voice N     номер голоса из списка lectorium-cli voices (без него — русский голос)\n"
    "  --xml         текст размечен SAPI XML (разметка голосов)\n"
    "  -o ВЫХОД.wav  куда записать звук\n";

struct SpeakArgs
{
    int voice = -1;
    bool xml = false;
    QString input;
    QString output;
};

std::optional<SpeakArgs> parseArgs(QStringList args)
{
    SpeakArgs parsed;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--xml") {
            parsed.xml = true;
        } else if ((arg == u"--voice" || arg == u"-o") && !args.isEmpty()) {
            const QString value = args.takeFirst();
            if (arg == u"-o") {
                parsed.output = value;
                continue;
            }
            bool ok = false;
            parsed.voice = value.toInt(&ok);
            if (!ok)
                return std::nullopt;
        } else if (parsed.input.isEmpty() && !arg.startsWith(u'-')) {
            parsed.input = arg;
        } else {
            return std::nullopt;
        }
    }
    if (parsed.input.isEmpty() || parsed.output.isEmpty())
        return std::nullopt;
    return parsed;
}

int runSpeak(CliContext &context)
{
    const std::optional<SpeakArgs> args = parseArgs(context.args);
    if (!args)
        return usageError(kUsage);
    const std::optional<QByteArray> bytes = UserFile::readBytes(args->input);
    if (!bytes) {
        cliErr(QStringLiteral("Не удалось прочитать файл: %1\n").arg(args->input));
        return 1;
    }
    SpeechVoice voice;
    if (!selectCliVoice(voice, args->voice))
        return 1;
    auto file = std::make_shared<WavFileStream>(voice.format());
    if (!file->open(args->output)) {
        cliErr(QStringLiteral("Не удалось создать файл: %1\n").arg(args->output));
        return 1;
    }
    voice.setAudioOutputStream(file);
    const std::optional<QString> text = textAsRecorded(context, Codec::decodeUserFile(*bytes), !args->xml);
    if (!text)
        return 1;
    voice.speak(*text, args->xml ? SVSFIsXML : SVSFIsNotXML);
    file->close();
    if (const QString failure = voice.failure(); !failure.isEmpty()) {
        cliErr(failure + u'\n');
        return 1;
    }
    return 0;
}

} // namespace

CliCommand speakCommand()
{
    return {"speak", "озвучить текстовый файл в WAV", kUsage, runSpeak};
}
