// The add pass on about 5 MB of prose: cutting into blocks with dialogue
// analysis, size and chapter breaks, once without dictionaries and once with
// a 100,000-entry dictionary applied line by line. Prints the figures.

#include "import/add_pass.h"
#include "import/text_normalisation.h"

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kDictionaryEntries = 100000;

QString shared(const char *relative)
{
    return QStringLiteral(LECTORIUM_SHARED_DATA "/") + QLatin1String(relative);
}

// The two stress dictionaries, topped up with whole-word stress entries for
// words of the book itself, so that many entries do occur in the text.
DictionaryTable stressDictionary(const QString &book)
{
    DictionaryTable table;
    loadDictionaryFile(table, shared("dictionaries/rulex-explicit.dic"), true);
    loadDictionaryFile(table, shared("dictionaries/rulex-implicit.dic"), true);
    const BoundaryMode wholeWord = table.isEmpty() ? BoundaryMode::DelimiterBeforeAndAfter : table.first().mode;
    QSet<QString> keys;
    for (const DictionaryEntry &entry : table)
        keys.insert(entry.key);
    static const QRegularExpression word(QStringLiteral("[а-яё]{4,}"));
    for (auto it = word.globalMatch(book); it.hasNext() && table.size() < kDictionaryEntries;) {
        const QString w = it.next().captured();
        if (keys.contains(w))
            continue;
        keys.insert(w);
        table.append({w, w.left(2) + u'+' + w.mid(2), false, wholeWord});
    }
    return table;
}

double secondsFor(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto bytes = UserFile::readBytes(shared("books/txt/prose-5mb.cp1251.txt"));
    if (!bytes) {
        std::fprintf(stderr, "the book ../shared/books/txt/prose-5mb.cp1251.txt is missing\n");
        return 1;
    }
    const QString book = Codec::fromCp1251(*bytes);

    QTemporaryDir programFolder;
    seedProgramFolder(programFolder.path());
    const auto identifiers = loadChapterIdentifiers(programFolder.path()).value_or(QList<ChapterIdentifier>());
    AddOptions options; // as a new user has them: dialogues, hyphens, chapters, 4571-character blocks

    auto run = [&](const LineRewriter &dictionaries) {
        ChapterDetector detector(identifiers, options.dialogueStartsWithQuotes);
        BookBlocks blocks;
        const double seconds = secondsFor(
            [&] { blocks = cutIntoBlocks(fixYears(book), QStringLiteral("Книга"), options, detector, dictionaries); });
        std::printf("  %lld blocks in %.3f s\n", static_cast<long long>(blocks.blocks.size()), seconds);
    };

    std::printf("book: %lld characters, %lld bytes\n", static_cast<long long>(book.size()),
                static_cast<long long>(bytes->size()));
    std::printf("add pass without dictionaries:\n");
    options.applyDictionaries = false;
    run({});

    const DictionaryTable table = stressDictionary(book);
    DictionaryEngine engine;
    const double build = secondsFor([&] { engine = DictionaryEngine(table); });
    std::printf("add pass with %d dictionary entries (engine built in %.3f s, not counted):\n", int(table.size()),
                build);
    options.applyDictionaries = true;
    run([&](const QString &line) { return DictionaryRewrite{engine.apply(line), QString()}; });
    return 0;
}
