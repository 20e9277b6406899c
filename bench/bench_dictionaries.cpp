// The dictionary engine against the plain sequential rewrite: the two real
// stress dictionaries followed by generated entries of the other modes,
// multi-word keys and case-sensitive keys (at least 100,000 entries), applied
// to a 1.8 MB novel once as one text and once line by line, as the add pass
// does. Prints the figures; the output must be identical to the reference's.

#include "sequential_reference.h"

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>
#include <functional>

namespace {

constexpr int kMinimumEntries = 100000;
// The reference runs on this much of the book; it takes well under a minute.
constexpr qsizetype kReferenceChars = 60000;

QString shared(const char *relative)
{
    return QStringLiteral(LECTORIUM_SHARED_DATA "/") + QLatin1String(relative);
}

// Entries built from the book's own words, so that they do occur: word
// endings and insides, beginnings that must run into a letter, two-word
// phrases, and names with exact case.
void addGeneratedEntries(DictionaryTable &table, const QString &book)
{
    static const QRegularExpression wordPattern(QStringLiteral("[А-Яа-яЁё]{3,}"));
    QStringList words;
    QSet<QString> seen;
    for (auto it = wordPattern.globalMatch(book); it.hasNext();) {
        const QString w = it.next().captured();
        if (!seen.contains(w)) {
            seen.insert(w);
            words.append(w);
        }
    }
    QStringList phrases;
    static const QRegularExpression phrasePattern(QStringLiteral("[а-яё]{4,} [а-яё]{4,}"));
    for (auto it = phrasePattern.globalMatch(book); it.hasNext() && phrases.size() < 4000;)
        phrases.append(it.next().captured());

    QRandomGenerator rng(2024);
    auto pick = [&](const QStringList &list) { return list[int(rng.bounded(int(list.size())))]; };
    while (table.size() < kMinimumEntries) {
        const QString w = pick(words);
        const int kind = int(rng.bounded(10));
        if (kind < 3 && w.front().isUpper()) {
            // a name, exact case
            table.append({w, w.left(2) + u'+' + w.mid(2), true, BoundaryMode::DelimiterBeforeAndAfter});
        } else if (kind < 5) {
            const QString p = pick(phrases);
            table.append({p, p + u'+', false, BoundaryMode::DelimiterBeforeAndAfter}); // two words
        } else {
            using enum BoundaryMode;
            static const BoundaryMode otherModes[] = {DelimiterAfter,
                                                      NonDelimiterBeforeAndAfter,
                                                      DelimiterBeforeNonDelimiterAfter,
                                                      NonDelimiterBeforeDelimiterAfter,
                                                      NonDelimiterAfter,
                                                      NonDelimiterBefore,
                                                      Anywhere};
            const BoundaryMode mode = otherModes[rng.bounded(7)];
            const QString part = w.size() > 6 ? w.mid(2, 4) : w.right(3);
            table.append({part.toLower(), part.toLower() + u'\'', rng.bounded(4) == 0, mode});
        }
    }
}

double seconds(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e9;
}

QString byLines(const QString &text, const std::function<QString(const QString &)> &apply)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    for (QString &line : lines)
        line = apply(line);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<QByteArray> bookBytes = UserFile::readBytes(shared("books/txt/anna-karenina.cp1251.txt"));
    if (!bookBytes) {
        std::fprintf(stderr, "the book is missing\n");
        return 1;
    }
    const QString book = Codec::fromCp1251(*bookBytes);

    DictionaryTable table;
    loadDictionaryFile(table, shared("dictionaries/rulex-explicit.dic"), true);
    loadDictionaryFile(table, shared("dictionaries/rulex-implicit.dic"), true);
    const int realEntries = int(table.size());
    addGeneratedEntries(table, book);

    DictionaryEngine engine;
    const double build = seconds([&] { engine = DictionaryEngine(table); });
    std::printf("entries: %d (%d from the two stress dictionaries)\n", int(table.size()), realEntries);
    std::printf("book: %lld characters\n", static_cast<long long>(book.size()));
    std::printf("engine build: %.3f s\n\n", build);

    // --engine-only skips the slow reference (for profiling the engine).
    const bool engineOnly = app.arguments().contains(QStringLiteral("--engine-only"));
    const QString part = book.left(book.lastIndexOf(QStringLiteral("\r\n"), kReferenceChars));
    bool identical = true;
    for (const bool lineByLine : {false, true}) {
        const char *how = lineByLine ? "line by line" : "as one text";
        auto viaReference = [&](const QString &t) { return referenceApply(table, t); };
        auto viaEngine = [&](const QString &t) { return engine.apply(t); };
        QString expected, actual, full;
        const double ref =
            engineOnly ? 0.0
                       : seconds([&] { expected = lineByLine ? byLines(part, viaReference) : viaReference(part); });
        const double fast = seconds([&] { actual = lineByLine ? byLines(part, viaEngine) : viaEngine(part); });
        const double whole = seconds([&] { full = lineByLine ? byLines(book, viaEngine) : viaEngine(book); });
        if (engineOnly)
            expected = actual;
        identical = identical && expected == actual;
        std::printf("%s:\n", how);
        std::printf("  first %lld characters: reference %.2f s, engine %.4f s, ratio %.0f, %s\n",
                    static_cast<long long>(part.size()), ref, fast, ref / fast,
                    expected == actual ? "identical" : "DIFFERENT");
        std::printf("  whole book: engine %.3f s\n", whole);
    }
    return identical ? 0 : 1;
}
