#pragma once
// The engine that rewrites text with an entry table. Its result is exactly
// that of applying the entries one after another to the whole text (each
// entry working on the output of the entries before it, see replaceBounded),
// with one space put before and after the text and taken off again, so the
// ends of the text count as word boundaries.
//
// Doing that literally costs entries x text length. The engine gets the same
// result in pieces. A character that no key can match (CR always, since a
// dictionary line ends there; usually LF and most punctuation too) is never
// inside a match and survives every entry, so the text is cut at such
// characters and each piece is rewritten on its own with them as its
// neighbours. Within a piece only the entries whose key occurs there, with
// neighbours that can pass the entry's boundary test, run, in table order. A
// replacement can only create new matches, or change the neighbours of old
// ones, where it changed the piece, so only that stretch is searched again
// for further entries, and not even that when it only put in characters no
// key can match (a stress mark, say) without turning a delimiter into a
// letter or back.
//
// A piece may still be a long line (a key holding a blank makes the blank a
// character keys can match). Most keys hold no delimiter, so their matches
// and boundary tests never reach past the delimiters around a word: the line
// is kept as words ("cells", each ending at a delimiter), and such an entry
// rewrites only the words it occurs in, at the places the automaton found
// there, in one pass over the word. Only the entries whose keys hold a
// delimiter work on the line as a whole.

#include "dictionaries/dictionary_table.h"

#include "dictionaries/key_automaton.h"

#include <QString>

#include <functional>
#include <vector>

class DictionaryEngine
{
public:
    DictionaryEngine() = default;
    explicit DictionaryEngine(const DictionaryTable &table);

    // Called while a long text is rewritten, at most every kYieldIntervalMs,
    // so a window can let its events run.
    using YieldHook = std::function<void()>;
    static constexpr int kYieldIntervalMs = 50;

    // A rewrite may make the text this many times longer (plus some room for
    // a short text and a long replacement); a table that goes beyond is
    // broken (an entry whose replacement holds its own key, a chain of
    // entries that each double the text) and the rewrite stops.
    static constexpr qsizetype kGrowthFactor = 20;
    static constexpr qsizetype kGrowthSlack = 4096;

    // The rewritten text. When the text grew past the limit, nothing, and
    // `runawayEntry` (if given) is set to the table index of the entry that
    // made it pass.
    QString apply(const QString &text, const YieldHook &yield = {}, int *runawayEntry = nullptr) const;

    // Whether some entry, applied alone to the text, would change it (the
    // name finder's test of whether a word is already in a dictionary).
    bool anyEntryChanges(const QString &text) const;

    int entryCount() const { return int(m_entries.size()); }

private:
    // A table entry with what the boundary pre-test needs to know of its key.
    struct Entry : DictionaryEntry
    {
        explicit Entry(const DictionaryEntry &entry);
        bool keyStartsWithDelimiter = false;
        bool keyEndsWithDelimiter = false;
        bool keyHasDelimiter = false; // matches across words: works on the whole line
        bool startsWords = false;     // holds no delimiter and needs one before it
        qint8 needsBefore = 0;        // what the mode needs on each side
        qint8 needsAfter = 0;
    };
    class Run;
    // What the matcher's tests read of an entry, packed apart from its texts
    // so the many tests of a long text stay in the processor's cache.
    struct KeyShape
    {
        qint8 needsBefore = 0;
        qint8 needsAfter = 0;
        bool keyStartsWithDelimiter = false;
        bool keyEndsWithDelimiter = false;
        bool keyHasDelimiter = false;
    };

    // A character that no key can match: no match ever spans it.
    bool isBarrier(QChar c) const { return !m_keyCharacters[KeyAutomaton::fold(c.unicode())]; }
    // Whether an occurrence of entry `id` at text[start, end) can pass the
    // entry's boundary test, allowing for a neighbour that is an adjacent
    // occurrence of the same key (which counts as no neighbour).
    bool mayPass(int id, QStringView text, qsizetype start, qsizetype end) const;
    // Calls found(id, start, end) for every key occurrence in text[from, to)
    // of the entries after `minId`, but for those of word-start keys that do
    // not follow a delimiter (which can never pass).
    template <typename Found>
    void findKeys(QStringView text, qsizetype from, qsizetype to, int minId, Found &&found) const;

    std::vector<Entry> m_entries;
    std::vector<KeyShape> m_shapes; // one per entry
    qsizetype m_longestReplacement = 0;
    // The longest key holding a delimiter; 0 when there is none.
    qsizetype m_longestCrossWordKey = 0;
    KeyAutomaton m_automaton;          // the keys of the entries that are not startsWords
    KeyAutomaton m_wordStartAutomaton; // those of the entries that are
    KeyAutomaton m_crossWordAutomaton; // the keys holding a delimiter (also in m_automaton)
    KeyAutomaton m_crossWordPieces;    // their pieces between delimiters
    std::vector<bool> m_keyCharacters = std::vector<bool>(0x10000, false); // folded
};
