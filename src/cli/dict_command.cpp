// lectorium-cli dict apply [--utf8] [FILE]: rewrites a text with the enabled
// dictionaries of the program folder, as speech would, and writes it to
// standard output in the encoding it came in.

#include "cli/cli_command.h"

#include "dictionaries/dictionaries.h"

#include "common/text_codec.h"

#include <QFile>

#include <cstdio>

namespace {

const char *const kUsage = "Использование: lectorium-cli dict apply [--utf8] [ФАЙЛ]\n"
                           "Переписывает текст включёнными словарями папки программы, как перед озвучиванием,\n"
                           "и выводит его в той же кодировке.\n"
                           "  ФАЙЛ    текст в Windows-1251; без него читается стандартный ввод\n"
                           "  --utf8  текст в UTF-8\n";

int applyDictionaries(const CliContext &context, QStringList args)
{
    const bool utf8 = args.removeAll(QStringLiteral("--utf8")) > 0;
    if (args.size() > 1)
        return usageError(kUsage);
    QFile input;
    const bool opened = args.isEmpty() ? input.open(stdin, QIODevice::ReadOnly)
                                       : (input.setFileName(args.first()), input.open(QIODevice::ReadOnly));
    if (!opened) {
        cliErr(QStringLiteral("Не удалось открыть файл: %1\n").arg(args.value(0)));
        return 1;
    }
    const QByteArray bytes = input.readAll();
    const QString text = utf8 ? QString::fromUtf8(bytes) : Codec::fromCp1251(bytes);

    Dictionaries dictionaries(context.programFolder);
    dictionaries.loadDictionaryList();
    dictionaries.loadEnabledDictionaries();
    const DictionaryRewrite result = dictionaries.applyDictionaries(text);
    if (!result.ok()) {
        cliErr(result.failure + u'\n');
        return 1;
    }

    const QByteArray out = utf8 ? result.text.toUtf8() : Codec::toCp1251(result.text);
    std::fwrite(out.constData(), 1, out.size(), stdout);
    std::fflush(stdout);
    return 0;
}

int runDict(CliContext &context)
{
    QStringList args = context.args;
    const QString action = args.isEmpty() ? QString() : args.takeFirst();
    if (action == QLatin1String("apply"))
        return applyDictionaries(context, args);
    return usageError(kUsage);
}

} // namespace

CliCommand dictCommand()
{
    return {"dict", "переписать текст включёнными словарями, как перед озвучиванием", kUsage, runDict};
}
