// The engine against the plain sequential rewrite on randomised dictionaries
// and texts. The alphabets are small so that keys occur often, entries feed
// each other, occurrences sit side by side and boundaries are tested on
// every kind of neighbour.

#include "sequential_reference.h"

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/replace_bounded.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Alphabet
{
    QString keyChars;
    QString textChars;
};

class RandomCase
{
public:
    explicit RandomCase(quint32 seed) : m_rng(seed) { }

    int below(int n) { return int(m_rng.bounded(n)); }

    QString word(const QString &chars, int minLength, int maxLength)
    {
        QString s;
        const int n = minLength + below(maxLength - minLength + 1);
        for (int i = 0; i < n; ++i)
            s += chars[below(int(chars.size()))];
        return s;
    }

    DictionaryTable table(const Alphabet &a, int entries, int maxKey)
    {
        DictionaryTable t;
        for (int i = 0; i < entries; ++i) {
            QString key = word(a.keyChars, 1, maxKey);
            QString replacement = word(a.keyChars, 0, 3);
            if (below(10) == 0) { // entries that delete spaces or join words
                key = below(2) ? QStringLiteral(" ") : key + u' ';
                replacement.clear();
            }
            const auto mode = BoundaryMode(below(9)); // drawn first, so each seed gives the cases it always gave
            t.append({key, replacement, below(2) == 0, mode});
        }
        return t;
    }

    QString text(const Alphabet &a, int maxLength)
    {
        static const QStringList markers = {QStringLiteral(" {повествование->} "), QStringLiteral(" {автор->} "),
                                            QStringLiteral(" {речь->} "), QStringLiteral(" {речь2->} "),
                                            QStringLiteral(" {пауза->} ")};
        QString s;
        const int n = below(maxLength + 1);
        while (s.size() < n) {
            if (below(12) == 0)
                s += markers[below(int(markers.size()))];
            else
                s += a.textChars[below(int(a.textChars.size()))];
        }
        return s;
    }

private:
    QRandomGenerator m_rng;
};

QString describe(const DictionaryTable &t, const QString &text)
{
    QString s = QStringLiteral("text: [%1]\n").arg(QString(text).replace(u'\r', u'|'));
    for (int i = 0; i < t.size(); ++i)
        s += QStringLiteral("  %1 [%2]=[%3] mode %4 %5\n")
                 .arg(i)
                 .arg(t[i].key, t[i].replacement)
                 .arg(qToUnderlying(t[i].mode))
                 .arg(t[i].caseSensitive ? "case" : "nocase");
    return s;
}

void expectSameAsReference(const Alphabet &alphabet, quint32 seed, int cases, int entries, int maxKey, int maxText)
{
    RandomCase r(seed);
    for (int c = 0; c < cases; ++c) {
        const DictionaryTable table = r.table(alphabet, 1 + r.below(entries), maxKey);
        const QString text = r.text(alphabet, maxText);
        const DictionaryEngine engine(table);
        const QString expected = referenceApply(table, text);
        const QString actual = engine.apply(text);
        ASSERT_EQ(actual.toStdU16String(), expected.toStdU16String()) << "seed " << seed << " case " << c << "\n"
                                                                      << qPrintable(describe(table, text));
    }
}

// Letters in both cases, Latin and Cyrillic, delimiters, non-delimiters.
const Alphabet kMixed{QStringLiteral("аАбБёЁaAbB ,.!-{}>"), QStringLiteral("аАбБёЁaAbB ,.!-{}>\r\n\"")};
// Keys that hold LF, so LF is no line barrier for those tables.
const Alphabet kWithLf{QStringLiteral("аАб \n."), QStringLiteral("аАб \n.\r")};
// Few characters: long chains of side-by-side occurrences.
const Alphabet kTight{QStringLiteral("аА "), QStringLiteral("аА \r")};
// Letters only in the keys: every entry works word by word, and blanks and
// punctuation cut the lines into many words.
const Alphabet kInsideWords{QStringLiteral("аАбвВ"), QStringLiteral("аАбвВ  ,.-\r")};
// Halves of a character outside the basic plane, alone or paired, in keys
// and text: the words holding them take the library's search.
const Alphabet kSurrogates{QStringLiteral("аА\U0001F600б"), QStringLiteral("аА\U0001F600б .")};

} // namespace

TEST(EngineEquivalence, MixedAlphabetManyModes)
{
    expectSameAsReference(kMixed, 1, 3000, 12, 3, 60);
}

TEST(EngineEquivalence, LongerTextsAndTables)
{
    expectSameAsReference(kMixed, 2, 300, 80, 4, 400);
}

TEST(EngineEquivalence, KeysHoldingLineFeeds)
{
    expectSameAsReference(kWithLf, 3, 2000, 10, 3, 60);
}

TEST(EngineEquivalence, AdjacentOccurrenceChains)
{
    expectSameAsReference(kTight, 4, 3000, 8, 3, 40);
}

TEST(EngineEquivalence, InsideWordEntriesOnLongLines)
{
    expectSameAsReference(kInsideWords, 7, 600, 60, 3, 500);
}

TEST(EngineEquivalence, InsideWordEntriesBesideKeysAcrossWords)
{
    // kMixed keys may hold blanks and punctuation: lines where entries of
    // both kinds take turns, longer than the cases above.
    expectSameAsReference(kMixed, 8, 400, 40, 4, 300);
}

TEST(EngineEquivalence, WordsHoldingSurrogates)
{
    expectSameAsReference(kSurrogates, 9, 2000, 10, 3, 60);
}

TEST(EngineEquivalence, BoundedReplaceMatchesReference)
{
    RandomCase r(5);
    for (int c = 0; c < 20000; ++c) {
        const QString text = r.text(kMixed, 30);
        const QString key = r.word(kMixed.keyChars, 1, 3);
        const QString replacement = r.word(kMixed.keyChars, 0, 2);
        const int mode = r.below(11) - 1; // -1 and 9 replace nothing
        const bool caseSensitive = r.below(2) == 0;
        ASSERT_EQ(replaceBounded(text, key, replacement, BoundaryMode(mode), caseSensitive),
                  referenceReplaceBounded(text, key, replacement, mode, caseSensitive))
            << qPrintable(text) << " key " << qPrintable(key) << " mode " << mode;
    }
}

TEST(EngineEquivalence, WordsOfARealTextWithWordDictionaries)
{
    // Word-like keys over Russian prose: whole words, beginnings, endings.
    const QString prose =
        QStringLiteral("Все счастливые семьи похожи друг на друга, каждая несчастливая семья несчастлива "
                       "по-своему.\r\nВсё смешалось в доме Облонских. Жена узнала, что муж был в связи с "
                       "бывшею в их доме француженкою-гувернанткой!\r\n {речь->} Что ж это? {автор->} сказал он.");
    const QStringList words =
        prose.split(QRegularExpression(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption),
                    Qt::SkipEmptyParts);
    RandomCase r(6);
    for (int c = 0; c < 300; ++c) {
        DictionaryTable table;
        for (int i = 0, n = 1 + r.below(60); i < n; ++i) {
            QString key = words[r.below(int(words.size()))];
            if (r.below(3) == 0)
                key = key.left(1 + r.below(int(key.size())));
            if (r.below(4) == 0)
                key = key.toUpper();
            const auto mode = BoundaryMode(r.below(9)); // drawn first, so each seed gives the cases it always gave
            table.append({key, key.left(2) + u'+' + key.mid(2), r.below(3) == 0, mode});
        }
        ASSERT_EQ(DictionaryEngine(table).apply(prose), referenceApply(table, prose))
            << qPrintable(describe(table, prose));
    }
}
