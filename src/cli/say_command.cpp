// lectorium-cli say [--voice N] [--show] [-o OUT.wav] TEXT...: speaks a word
// or a sentence given on the command line the way a recording would say it
// (the dictionaries, the numbers and the stresses), as a WAV on standard
// output for a player (`| aplay`, `| paplay`) or into a file.

#include "cli/cli_command.h"
#include "cli/cli_voice.h"
#include "cli/recorded_text.h"

#include "recording/speech/memory_stream.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/wav_file_stream.h"

#include <QFile>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

const char *const kUsage = "Использование: lectorium-cli say [--voice N] [--show] [-o ВЫХОД.wav] ТЕКСТ...\n"
                           "Произносит слово или фразу так, как их прочтёт запись книги (словари, числа, ударения),\n"
                           "и выводит звук WAV на стандартный вывод (например: lectorium-cli say \"слово\" | aplay)\n"
                           "или в файл.\n"
                           "  --voice N     номер голоса из списка lectorium-cli voices (без него — русский голос)\n"
                           "  --show        показать в стандартном потоке ошибок текст, который произносится\n"
                           "  -o ВЫХОД.wav  записать звук в файл\n";

struct SayArgs
{
    int voice = -1;
    bool show = false;
    QString output;
    QStringList words;
};

std::optional<SayArgs> parseArgs(QStringList args)
{
    SayArgs parsed;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--show") {
            parsed.show = true;
        } else if (arg == u"-o" && !args.isEmpty()) {
            parsed.output = args.takeFirst();
        } else if (arg == u"--voice" && !args.isEmpty()) {
            bool ok = false;
            parsed.voice = args.takeFirst().toInt(&ok);
            if (!ok)
                return std::nullopt;
        } else if (arg == u"--") {
            parsed.words += args;
            args.clear();
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return std::nullopt;
        } else {
            parsed.words.append(arg);
        }
    }
    if (parsed.words.join(QString()).trimmed().isEmpty())
        return std::nullopt;
    return parsed;
}

bool writeAll(int descriptor, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(descriptor, bytes.constData() + written, size_t(bytes.size() - written));
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

int runSay(CliContext &context)
{
    const std::optional<SayArgs> args = parseArgs(context.args);
    if (!args)
        return usageError(kUsage);
    // Sound on a terminal would be noise on the screen.
    if (args->output.isEmpty() && isatty(STDOUT_FILENO)) {
        cliErr(QStringLiteral("Звук выводится на стандартный вывод: передайте его проигрывателю "
                              "(lectorium-cli say \"слово\" | aplay) или укажите файл: -o ВЫХОД.wav\n"));
        return 2;
    }
    SpeechVoice voice;
    if (!selectCliVoice(voice, args->voice))
        return 1;
    const std::optional<QString> text = textAsRecorded(context, args->words.join(u' '));
    if (!text)
        return 1;
    if (args->show)
        cliErr(*text + u'\n');
    auto sound = std::make_shared<SpeechMemoryStream>();
    voice.setAudioOutputStream(sound);
    voice.speak(*text, SVSFIsNotXML);
    if (const QString failure = voice.failure(); !failure.isEmpty()) {
        cliErr(failure + u'\n');
        return 1;
    }
    const QByteArray pcm = sound->data();
    const QByteArray wav = wavHeader(voice.format(), quint32(pcm.size())) + pcm;
    if (args->output.isEmpty())
        return writeAll(STDOUT_FILENO, wav) ? 0 : 1;
    QFile file(args->output);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) {
        cliErr(QStringLiteral("Не удалось записать файл: %1\n").arg(args->output));
        return 1;
    }
    return 0;
}

} // namespace

CliCommand sayCommand()
{
    return {"say", "произнести слово или фразу, как их прочтёт запись (звук WAV на стандартный вывод)", kUsage, runSay};
}
