// The stress lexicon and the stress pass: how long the lexicon takes to
// load and what memory it holds, and the pass over a whole novel
// (../shared/books/txt/anna-karenina.cp1251.txt, 1.8 MB), with its coverage:
// of the words of two or more syllables, how many the lexicon knows, how
// many it stresses one way (the pass marks them) and how many it leaves;
// the word analysis's list of words of unknown stress over the same
// book with the two shared stress dictionaries enabled: its time and its
// longest step (the window shows progress and lets its events run between
// steps, at most every half second); and the number pass (numbers and Roman
// numerals in Russian words) over the same book, as one text and line by
// line.
//
// Usage: bench_stress [LEXICON] [BOOK]

#include "common/text_codec.h"
#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"
#include "dictionaries/unknown_stress_words.h"
#include "stress/number_words.h"
#include "stress/russian_letters.h"
#include "stress/stress_lexicon.h"
#include "stress/stress_pass.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstdio>

namespace {

// Resident and private memory of the process in kB (/proc/self/status).
qint64 statusField(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

struct Coverage
{
    qint64 words = 0;     // of two or more syllables, Russian letters only, no ё
    qint64 known = 0;     // the lexicon has the form
    qint64 oneStress = 0; // ... with one stressing
};

Coverage coverageOf(const StressLexicon &lexicon, const QString &text)
{
    Coverage c;
    QHash<QString, int> seen; // stressings per form, -1 unknown
    QString word;
    auto count = [&]() {
        if (russianVowelCount(word) >= 2 && !word.contains(u'ё') && !word.contains(u'Ё')) {
            ++c.words;
            auto it = seen.find(word);
            if (it == seen.end())
                it = seen.insert(word, int(lexicon.lookup(word).size()));
            c.known += *it > 0;
            c.oneStress += *it == 1;
        }
        word.clear();
    };
    for (const QChar ch : text) {
        if (isRussianLetter(ch))
            word += ch;
        else if (!word.isEmpty())
            count();
    }
    if (!word.isEmpty())
        count();
    return c;
}

double percent(qint64 part, qint64 whole)
{
    return whole ? 100.0 * double(part) / double(whole) : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString lexiconFile = args.value(0, QStringLiteral(LECTORIUM_SOURCE_DIR "/data/Stress/ru-stress.lex"));
    const QString bookFile = args.value(1, QStringLiteral(LECTORIUM_SHARED_DATA "/books/txt/anna-karenina.cp1251.txt"));

    const qint64 rssBefore = statusField("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    StressLexicon lexicon;
    QString error;
    if (!lexicon.load(lexiconFile, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const double loadSeconds = clock.nsecsElapsed() / 1e9;
    std::printf("lexicon %s: %.1f MB, loaded in %.4f s\n", qPrintable(lexiconFile), QFile(lexiconFile).size() / 1e6,
                loadSeconds);

    QFile book(bookFile);
    if (!book.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the test book is missing: %s\n", qPrintable(bookFile));
        return 1;
    }
    const QString text = Codec::decodeUserFile(book.readAll());

    // Twice; the better run counts (the first also brings the lexicon's
    // pages in from the disk).
    double passSeconds = 1e9;
    QString stressed;
    QStringList undecided;
    for (int round = 0; round < 2; ++round) {
        undecided.clear();
        clock.restart();
        stressed = StressPass(lexicon).apply(text, &undecided);
        passSeconds = std::min(passSeconds, clock.nsecsElapsed() / 1e9);
    }
    const qint64 rssAfter = statusField("VmRSS:");
    std::printf("pass over %s: %lld characters in %.3f s; %lld characters added or changed\n", qPrintable(bookFile),
                static_cast<long long>(text.size()), passSeconds,
                static_cast<long long>(stressed.size() - text.size()));
    std::printf("memory: resident %.1f MB before loading, %.1f MB after the pass (peak %.1f MB)\n", rssBefore / 1024.0,
                rssAfter / 1024.0, statusField("VmHWM:") / 1024.0);

    // The number pass: the better of two runs, as one text and line by line
    // (a block of a book is a few lines).
    double numbersSeconds = 1e9;
    double numbersByLineSeconds = 1e9;
    QString withWords;
    const QStringList lines = text.split(u'\n');
    for (int round = 0; round < 2; ++round) {
        clock.restart();
        withWords = numbersInRussianWords(text);
        numbersSeconds = std::min(numbersSeconds, clock.nsecsElapsed() / 1e9);
        clock.restart();
        for (const QString &line : lines)
            numbersInRussianWords(line);
        numbersByLineSeconds = std::min(numbersByLineSeconds, clock.nsecsElapsed() / 1e9);
    }
    qsizetype linesChanged = 0;
    for (const QString &line : lines)
        linesChanged += numbersInRussianWords(line) != line;
    std::printf("number pass: %.3f s as one text, %.3f s line by line; %lld lines of %lld with numbers in words "
                "(%lld characters more)\n",
                numbersSeconds, numbersByLineSeconds, static_cast<long long>(linesChanged),
                static_cast<long long>(lines.size()), static_cast<long long>(withWords.size() - text.size()));

    const Coverage c = coverageOf(lexicon, text);
    std::printf("words of 2+ syllables (no ё): %lld; in the lexicon %.2f %%; one stressing %.2f %%; "
                "left to the voice by the pass %lld (%.2f %%)\n",
                static_cast<long long>(c.words), percent(c.known, c.words), percent(c.oneStress, c.words),
                static_cast<long long>(undecided.size()), percent(undecided.size(), c.words));

    DictionaryTable table;
    loadDictionaryFile(table, QStringLiteral(LECTORIUM_SHARED_DATA "/dictionaries/rulex-explicit.dic"), true);
    loadDictionaryFile(table, QStringLiteral(LECTORIUM_SHARED_DATA "/dictionaries/rulex-implicit.dic"), true);
    const DictionaryEngine engine(table);
    // The analysis asks whether it was stopped after every step (a piece of
    // the text, a word through the dictionaries).
    QElapsedTimer sinceAsked;
    qint64 longestGapNs = 0;
    ToolProgress progress;
    progress.cancelled = [&] {
        longestGapNs = std::max(longestGapNs, sinceAsked.nsecsElapsed());
        sinceAsked.restart();
        return false;
    };
    clock.restart();
    sinceAsked.start();
    const UnknownStressWords unknown = findUnknownStressWords(text, lexicon, engine, progress);
    const double unknownSeconds = clock.nsecsElapsed() / 1e9;
    std::printf("words of unknown stress with %lld dictionary entries: %lld different words (%lld before the "
                "dictionaries), %.3f s, longest step %.3f s\n",
                static_cast<long long>(table.size()), static_cast<long long>(unknown.words.size()),
                static_cast<long long>(findUnknownStressWords(text, lexicon, DictionaryEngine()).words.size()),
                unknownSeconds, longestGapNs / 1e9);
    return 0;
}
