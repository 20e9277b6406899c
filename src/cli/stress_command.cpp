// lectorium-cli stress [--undecided] [--encoding NAME] FILE: the text of a
// book file with the stresses the automatic stress pass would give ("+"
// after the stressed vowel, "ё" where the word has it), so a user can read
// them before recording; with --undecided, the words it leaves to the voice
// instead, most frequent first.

#include "cli/cli_command.h"
#include "cli/console_dialogs.h"
#include "cli/file_encoding_option.h"

#include "import/book_loader.h"
#include "import/word_converter.h"
#include "stress/shared_stress_lexicon.h"
#include "stress/stress_pass.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

const char *const kUsage =
    "Использование: lectorium-cli stress [--undecided] [--encoding ИМЯ] ФАЙЛ\n"
    "Выводит текст книжного файла (TXT, RTF, DOC, DOCX, ODT, HTML, FB2, EPUB, ZIP) с ударениями,\n"
    "которые программа расставит сама перед записью: «+» после ударной гласной, «ё» там, где она\n"
    "пишется. Слова, уже помеченные ударением, не меняются.\n"
    "  --undecided      вместо текста: слова из двух и более слогов, ударение в которых оставлено\n"
    "                   голосу (омографы, имена, слова, которых нет в словаре ударений), с числом\n"
    "                   повторов, частые первыми\n"
    "  --encoding ИМЯ   прочитать TXT, HTML или FB2 в кодировке windows-1251, utf-8, koi8-r, cp866,\n"
    "                   iso-8859-5 или mac-cyrillic вместо определённой по буквам текста\n";

// "word<TAB>count" lines, most frequent first, then in alphabetical order;
// words counted in lower case, shown as first written.
QString undecidedList(const QStringList &words)
{
    QHash<QString, int> counts;
    QHash<QString, QString> shown;
    for (const QString &word : words) {
        const QString key = word.toLower();
        ++counts[key];
        shown.insert(key, shown.value(key, word));
    }
    QStringList keys = counts.keys();
    std::sort(keys.begin(), keys.end(), [&](const QString &a, const QString &b) {
        return counts[a] != counts[b] ? counts[a] > counts[b] : a < b;
    });
    QString text;
    for (const QString &key : keys)
        text += shown[key] + u'\t' + QString::number(counts[key]) + u'\n';
    return text;
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
    const QString path = QFileInfo(args.first()).absoluteFilePath();
    ConsoleDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    const BookLoadResult result = loader.loadFile(path, fileTitle(path), *encoding);
    if (!result.loaded)
        return 1;
    if (!context.autoStress) {
        cliOut(undecidedOnly ? QString() : result.text);
        return 0;
    }
    QStringList undecided;
    const QString stressed = StressPass(lexicon).apply(result.text, &undecided);
    cliOut(undecidedOnly ? undecidedList(undecided) : stressed);
    return 0;
}

} // namespace

CliCommand stressCommand()
{
    return {"stress", "показать ударения, которые программа расставит в тексте книги", kUsage, runStress};
}
