// The dictionary engine against the plain sequential rewrite, on a 1.8 MB
// novel once as one text and once line by line, as the add pass does, with
// two sets of at least 100,000 entries:
//  - "mixed": the two real stress dictionaries followed by generated entries
//    of the other modes, multi-word keys and case-sensitive keys, most of
//    which never fire;
//  - "heavy": the two stress dictionaries and about 13,600 of the book's own
//    words with random boundary modes and case flags, so that most words of
//    the text have an entry, as real users' stress dictionaries do.
// Prints the figures; the output must be identical to the reference's.
//  - "everywhere": the two stress dictionaries and entries that match inside
//    words (pieces of words with markers, words with a marker on both sides)
//    and two-word phrases.
// `--write-heavy-set FOLDER` (or `--write-everywhere-set FOLDER`) writes that
// set as the dictionary folder of a program folder (for timing
// `lectorium-cli dict apply`) and ends.

#include "sequential_reference.h"

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

// The book's own words with a stress mark, any of the nine boundary modes
// and exact case now and then: entries that fire all over the text. Words
// are drawn from the running text, so the frequent ones are all in.
DictionaryTable bookWordEntries(const QString &book, int count)
{
    static const QRegularExpression wordPattern(QStringLiteral("[А-Яа-яЁё]{2,}"));
    QStringList running;
    for (auto it = wordPattern.globalMatch(book); it.hasNext();)
        running.append(it.next().captured());
    QRandomGenerator rng(23);
    QSet<QString> seen;
    DictionaryTable table;
    while (table.size() < count) {
        const QString &w = running[int(rng.bounded(int(running.size())))];
        if (seen.contains(w.toLower()))
            continue;
        seen.insert(w.toLower());
        const bool exactCase = rng.bounded(4) == 0;
        const QString key = exactCase ? w : w.toLower();
        const auto mode = BoundaryMode(rng.bounded(9));
        const qsizetype stress = 1 + rng.bounded(int(key.size()));
        table.append({key, key.left(stress) + u'+' + key.mid(stress), exactCase, mode});
    }
    return table;
}

// The heavy set's size: the stress dictionaries and the book's words.
constexpr int kHeavyEntries = 100500;

// Entries that fire everywhere, added to the two stress dictionaries up to
// kEverywhereEntries: pieces of the book's words matching inside words
// ("*ни=", "&мо&", "*могл*=", "Теб*=ТЕБЕ"), two-word phrases (so a blank is
// no longer a place where the text can be cut), and the book's words with a
// marker on both sides ("*слово*", "&слово&"), which match inside longer words.
constexpr int kEverywhereEntries = 100000;
constexpr int kPartialWordEntries = 3000;
constexpr int kPhraseEntries = 1000;

DictionaryTable everywhereEntries(const QString &book, int count)
{
    static const QRegularExpression wordPattern(QStringLiteral("[А-Яа-яЁё]{2,}"));
    QStringList running;
    for (auto it = wordPattern.globalMatch(book); it.hasNext();)
        running.append(it.next().captured());
    QStringList phrases;
    static const QRegularExpression phrasePattern(QStringLiteral("[а-яё]{4,} [а-яё]{4,}"));
    for (auto it = phrasePattern.globalMatch(book); it.hasNext() && phrases.size() < 20000;)
        phrases.append(it.next().captured());
    QRandomGenerator rng(37);
    auto pick = [&](const QStringList &list) -> const QString & { return list[int(rng.bounded(int(list.size())))]; };
    auto stressed = [&](const QString &s) {
        const qsizetype at = 1 + rng.bounded(int(s.size()));
        return s.left(at) + u'+' + s.mid(at);
    };
    using enum BoundaryMode;
    DictionaryTable table;
    QSet<QString> seen;
    auto add = [&](const DictionaryEntry &entry) {
        const QString id = entry.key.toLower() + u'\t' + QString::number(qToUnderlying(entry.mode));
        if (seen.contains(id))
            return;
        seen.insert(id);
        table.append(entry);
    };
    // Every mode with a marker on at least one side.
    static const BoundaryMode partialModes[] = {Anywhere,
                                                DelimiterBefore,
                                                DelimiterAfter,
                                                NonDelimiterBeforeAndAfter,
                                                DelimiterBeforeNonDelimiterAfter,
                                                NonDelimiterBeforeDelimiterAfter,
                                                NonDelimiterAfter,
                                                NonDelimiterBefore};
    while (table.size() < kPartialWordEntries) {
        const QString &w = pick(running);
        const int length = 2 + int(rng.bounded(3));
        if (w.size() < length)
            continue;
        const QString piece = w.mid(rng.bounded(int(w.size() - length + 1)), length);
        const bool exactCase = rng.bounded(5) == 0;
        const QString key = exactCase ? piece : piece.toLower();
        const int kind = int(rng.bounded(10));
        const QString replacement = kind == 0 ? QString() : kind == 1 ? key.toUpper() : stressed(key);
        add({key, replacement, exactCase, partialModes[rng.bounded(8)]});
    }
    while (table.size() < kPartialWordEntries + kPhraseEntries) {
        const QString &p = pick(phrases);
        add({p, p + u'+', false, DelimiterBeforeAndAfter});
    }
    static const BoundaryMode bothMarkers[] = {Anywhere, NonDelimiterBeforeAndAfter, NonDelimiterAfter,
                                               NonDelimiterBefore};
    while (table.size() < count) {
        const QString &w = pick(running);
        const bool exactCase = rng.bounded(4) == 0;
        const QString key = exactCase ? w : w.toLower();
        add({key, stressed(key), exactCase, bothMarkers[rng.bounded(4)]});
    }
    return table;
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

// Builds the engine over `table`, applies it to the book and to its
// beginning, and compares the beginning with the reference's rewrite.
bool compareWithReference(const DictionaryTable &table, const QString &book, bool engineOnly)
{
    DictionaryEngine engine;
    const double build = seconds([&] { engine = DictionaryEngine(table); });
    std::printf("engine build: %.3f s\n", build);
    bool identical = true;
    const QString part = book.left(book.lastIndexOf(QStringLiteral("\r\n"), kReferenceChars));
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
    return identical;
}

// Writes the two stress dictionaries and `generated` as the dictionary
// folder of a program folder.
bool writeSet(const QString &programFolder, const std::function<DictionaryTable(int)> &generated)
{
    const QString folder = programFolder + QStringLiteral("/Dic");
    QDir().mkpath(folder);
    for (const char *name : {"rulex-explicit.dic", "rulex-implicit.dic"}) {
        QFile::remove(folder + u'/' + QLatin1String(name));
        if (!QFile::copy(shared("dictionaries/") + QLatin1String(name), folder + u'/' + QLatin1String(name)))
            return false;
    }
    DictionaryTable stress;
    loadDictionaryFile(stress, folder + QStringLiteral("/rulex-explicit.dic"), true);
    loadDictionaryFile(stress, folder + QStringLiteral("/rulex-implicit.dic"), true);
    // Read after the two: the list orders dictionaries by name.
    return writeDictionary(folder + QStringLiteral("/thebook.dic"), generated(int(stress.size())));
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

    const QStringList arguments = app.arguments();
    const qsizetype writeAt = arguments.indexOf(QStringLiteral("--write-heavy-set"));
    if (writeAt > 0 && writeAt + 1 < arguments.size())
        return writeSet(arguments.at(writeAt + 1),
                        [&](int stressEntries) { return bookWordEntries(book, kHeavyEntries - stressEntries); })
                   ? 0
                   : 1;
    const qsizetype everywhereAt = arguments.indexOf(QStringLiteral("--write-everywhere-set"));
    if (everywhereAt > 0 && everywhereAt + 1 < arguments.size())
        return writeSet(arguments.at(everywhereAt + 1),
                        [&](int stressEntries) { return everywhereEntries(book, kEverywhereEntries - stressEntries); })
                   ? 0
                   : 1;
    // --engine-only skips the slow reference (for profiling the engine).
    const bool engineOnly = arguments.contains(QStringLiteral("--engine-only"));
    std::printf("book: %lld characters\n", static_cast<long long>(book.size()));
    bool identical = true;
    for (const char *set : {"mixed", "heavy", "everywhere"}) {
        DictionaryTable table;
        const double load = seconds([&] {
            loadDictionaryFile(table, shared("dictionaries/rulex-explicit.dic"), true);
            loadDictionaryFile(table, shared("dictionaries/rulex-implicit.dic"), true);
        });
        const int realEntries = int(table.size());
        if (qstrcmp(set, "heavy") == 0)
            table.append(bookWordEntries(book, kHeavyEntries - realEntries));
        else if (qstrcmp(set, "everywhere") == 0)
            table.append(everywhereEntries(book, kEverywhereEntries - realEntries));
        else
            addGeneratedEntries(table, book);
        std::printf("\n== %s set: %d entries (%d from the two stress dictionaries)\n", set, int(table.size()),
                    realEntries);
        std::printf("loading the two stress dictionaries: %.3f s\n", load);
        identical = compareWithReference(table, book, engineOnly) && identical;
    }
    return identical ? 0 : 1;
}
