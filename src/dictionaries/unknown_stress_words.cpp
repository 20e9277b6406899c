#include "dictionaries/unknown_stress_words.h"

#include "dictionaries/dictionary_engine.h"

#include "stress/stress_lexicon.h"
#include "stress/stress_pass.h"

#include <QHash>

#include <algorithm>

namespace {

// The pass runs over the text a piece at a time so the window can show
// progress and take a stop. Pieces end at a line break, which the pass
// treats as a break between words anyway, so cutting there changes nothing.
constexpr qsizetype kPieceLength = 64 * 1024;

qsizetype pieceEnd(const QString &text, qsizetype from)
{
    if (text.size() - from <= kPieceLength)
        return text.size();
    const qsizetype lineBreak = text.indexOf(u'\n', from + kPieceLength);
    return lineBreak < 0 ? text.size() : lineBreak + 1;
}

// One word, however the text writes it.
struct Tallied
{
    int count = 0;
    QHash<QString, int> forms; // written form -> times met
    QString firstForm;
};

QString shownForm(const QString &folded, const Tallied &word)
{
    if (word.forms.contains(folded))
        return folded;
    QString best = word.firstForm;
    for (auto it = word.forms.cbegin(); it != word.forms.cend(); ++it)
        if (it.value() > word.forms.value(best))
            best = it.key();
    return best;
}

class UndecidedTally
{
public:
    void add(const QString &written)
    {
        const QString folded = written.toLower();
        Tallied &word = m_words[folded];
        if (word.count++ == 0)
            word.firstForm = written;
        ++word.forms[written];
    }

    // Most frequent first, equal counts alphabetically.
    QList<WordCount> list() const
    {
        struct Row
        {
            QString folded;
            WordCount shown;
        };
        QList<Row> rows;
        rows.reserve(m_words.size());
        for (auto it = m_words.cbegin(); it != m_words.cend(); ++it)
            rows.append({it.key(), {shownForm(it.key(), it.value()), it.value().count}});
        std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
            return a.shown.count != b.shown.count ? a.shown.count > b.shown.count : a.folded < b.folded;
        });
        QList<WordCount> result;
        result.reserve(rows.size());
        for (const Row &row : rows)
            result.append(row.shown);
        return result;
    }

private:
    QHash<QString, Tallied> m_words;
};

} // namespace

UnknownStressWords findUnknownStressWords(const QString &text, const StressLexicon &lexicon,
                                          const DictionaryEngine &engine, const ToolProgress &progress)
{
    UnknownStressWords result;
    if (!lexicon.isLoaded()) {
        result.lexiconMissing = true;
        return result;
    }
    const StressPass pass(lexicon);
    UndecidedTally tally;
    ProgressThrottle throttle(progress);
    for (qsizetype from = 0; from < text.size();) {
        const qsizetype to = pieceEnd(text, from);
        QStringList undecided;
        pass.apply(text.mid(from, to - from), &undecided);
        for (const QString &word : undecided)
            tally.add(word);
        from = to;
        throttle.report(from, text.size(),
                        [&] { return QStringLiteral("Ударения: %1%").arg(from * 100 / text.size()); });
        if (progress.isCancelled()) {
            result.cancelled = true;
            return result;
        }
    }
    result.words = tally.list();
    removeHandledWords(result.words, engine, progress);
    result.cancelled = progress.isCancelled();
    return result;
}
