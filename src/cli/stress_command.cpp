// lectorium-cli stress [--undecided] [--encoding NAME] FILE: the text of a
// book file with the stresses the automatic stress pass would give ("+"
// after the stressed vowel, "ё" where the word has it) and the numbers in
// words, so a user can read
// them before recording; with --undecided, the words it leaves to the voice
// instead, most frequent first.

#include "cli/book_file_reading.h"
#include "cli/cli_command.h"
#include "cli/file_encoding_option.h"

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/unknown_stress_words.h"
#include "stress/shared_stress_lexicon.h"
#include "stress/spoken_text.h"

namespace {

const char *const kUsage =
    "Использование: lectorium-cli stress [--undecided] [--encoding ИМЯ] ФАЙЛ\n"
    "Выводит текст книжного файла (TXT, RTF, DOC, DOCX, ODT, HTML, FB2, EPUB, ZIP, PDF, MOBI,\n"
    "AZW3) с ударениями, которые программа расставит сама перед записью: «+» после ударной\n"
    "гласной, «ё» там, где она пишется. Слова, уже помеченные ударением, не меняются.\n"
    "  --undecided      вместо текста: слова из двух и более слогов, ударение в которых оставлено\n"
    "                   голосу (омографы, имена, слова, которых нет в словаре ударений), с числом\n"
    "                   повторов, частые первыми\n"
    "  --encoding ИМЯ   прочитать TXT, HTML или FB2 в кодировке windows-1251, utf-8, koi8-r, cp866,\n"
    "                   iso-8859-5 или mac-cyrillic вместо определённой по буквам текста\n";

// "word<TAB>count" lines, most frequent first.
QString undecidedList(const QString &text, const StressLexicon &lexicon)
{
    QString lines;
    for (const WordCount &word : findUnknownStressWords(text, lexicon, DictionaryEngine()).words)
        lines += word.word + u'\t' + QString::number(word.count) + u'\n';
    return lines;
}

int runStress(CliContext &context)
{
    QStringList args = context.args;
    const bool undecidedOnly = args.removeAll(QStringLiteral("--undecided")) > 0;
    const auto encoding = takeFileEncodingOption(args);
    if (args.size() != 1 || !encoding)
        return usageError(kUsage);
    QString error;
    const StressLexicon &lexicon = sharedStressLexicon(context.programFolder, &error);
    if (!lexicon.isLoaded()) {
        cliErr(error + u'\n');
        return 1;
    }
    const BookLoadResult result = readBookFileForCommand(args.first(), *encoding);
    if (!result.loaded)
        return 1;
    if (!context.autoStress) {
        cliOut(undecidedOnly ? QString() : spokenText(result.text, SpokenTextOptions{}));
        return 0;
    }
    cliOut(undecidedOnly ? undecidedList(result.text, lexicon) : spokenText(result.text, SpokenTextOptions{&lexicon}));
    return 0;
}

} // namespace

CliCommand stressCommand()
{
    return {"stress", "показать ударения, которые программа расставит в тексте книги", kUsage, runStress};
}
