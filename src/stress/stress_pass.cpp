#include "stress/stress_pass.h"

#include "stress/protected_text.h"
#include "stress/russian_letters.h"
#include "stress/stress_context_rules.h"
#include "stress/stress_lexicon.h"
#include "stress/text_alignment.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c.unicode() == 0x00A0;
}

struct Word
{
    qsizetype start = 0;
    qsizetype end = 0;
    bool marked = false;  // a stress mark or accent in it
    bool foreign = false; // a letter that is not Russian
    bool hasYo = false;
    bool hyphenated = false;
    bool breakBefore = true; // something else than blanks before it (the previous word does not count)
};

// The words of the text in order, protected stretches skipped; a word is a
// run of letters, hyphens between letters and the marks after letters.
QList<Word> wordsOf(const QString &text)
{
    QList<Word> words;
    bool pendingBreak = true;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (!c.isLetter()) {
            const qsizetype skip = protectedEnd(text, i);
            if (skip > 0) {
                i = skip;
                pendingBreak = true;
                continue;
            }
            if (!isBlank(c))
                pendingBreak = true;
            ++i;
            continue;
        }
        Word word;
        word.start = i;
        word.breakBefore = pendingBreak;
        while (i < n) {
            const QChar d = text.at(i);
            if (d.isLetter()) {
                if (!isRussianLetter(d))
                    word.foreign = true;
                if (isYo(d))
                    word.hasYo = true;
            } else if (isStressMark(d) && i > word.start) {
                word.marked = true;
            } else if (d == u'-' && i + 1 < n && text.at(i + 1).isLetter() && text.at(i - 1).isLetter()) {
                word.hyphenated = true;
            } else {
                break;
            }
            ++i;
        }
        word.end = i;
        words.append(word);
        pendingBreak = false;
    }
    return words;
}

// What the pass does to one word (or one part of a hyphenated word).
struct Edit
{
    qsizetype start = 0; // in the text
    qsizetype length = 0;
    Stressing stressing;
};

class Decider
{
public:
    Decider(const StressLexicon &lexicon, const QString &text, const QList<Word> &words, QList<Edit> &edits,
            QStringList *undecided)
        : m_lexicon(lexicon), m_text(text), m_words(words), m_edits(edits), m_undecided(undecided)
    { }

    // The stretches a rewrite of `original` changed; words in them are the
    // user's.
    void setRewrite(const QString &original, const QList<ChangedStretch> &changed)
    {
        m_original = &original;
        m_changed = &changed;
    }

    void decide(qsizetype index)
    {
        const Word &word = m_words.at(index);
        if (word.marked || word.foreign || word.hasYo)
            return;
        const QStringView whole = view(word);
        if (const ChangedStretch *change = changeAt(word.start)) {
            decideRespelling(index, word, *change);
            return;
        }
        if (word.hyphenated) {
            const QList<Stressing> stressings = m_lexicon.lookup(whole);
            if (!stressings.isEmpty()) {
                decidePart(index, word.start, whole, stressings);
                return;
            }
            qsizetype partStart = word.start;
            for (const QStringView part : whole.split(u'-')) {
                decidePart(index, partStart, part, m_lexicon.lookup(part));
                partStart += part.size() + 1;
            }
            return;
        }
        decidePart(index, word.start, whole, m_lexicon.lookup(whole));
    }

private:
    QStringView view(const Word &word) const { return QStringView(m_text).mid(word.start, word.end - word.start); }

    // The changed stretch a word starting at `position` lies in, if any;
    // words come in order, so the search goes on from the last one.
    const ChangedStretch *changeAt(qsizetype position)
    {
        if (!m_changed)
            return nullptr;
        while (m_nextChange < m_changed->size() && m_changed->at(m_nextChange).end <= position)
            ++m_nextChange;
        if (m_nextChange == m_changed->size() || m_changed->at(m_nextChange).start > position)
            return nullptr;
        return &m_changed->at(m_nextChange);
    }

    // A word the rewrite put in place of one word with the same vowels
    // takes that word's stress; any other change is the user's to stress.
    void decideRespelling(qsizetype index, const Word &word, const ChangedStretch &change)
    {
        if (word.hyphenated || word.start != change.start || word.end != change.end)
            return;
        const QStringView original =
            QStringView(*m_original).mid(change.originalStart, change.originalEnd - change.originalStart);
        if (!sameVowels(original, view(word)))
            return;
        const QList<Stressing> stressings = m_lexicon.lookup(original);
        if (stressings.size() == 1)
            m_edits.append({word.start, word.end - word.start, stressings.first()});
        else if (stressings.size() > 1) {
            if (const auto chosen = stressingByContext(foldedRussianWord(original), stressings, contextOf(index)))
                m_edits.append({word.start, word.end - word.start, *chosen});
        }
    }

    // The same Russian vowels in the same order ("ё" as "е"), and nothing in
    // the original but Russian letters.
    static bool sameVowels(QStringView original, QStringView respelled)
    {
        QString a, b;
        for (const QChar c : original) {
            if (!isRussianLetter(c))
                return false;
            if (isRussianVowelLetter(c))
                a += foldedRussianLetter(c);
        }
        for (const QChar c : respelled) {
            if (isRussianVowelLetter(c))
                b += foldedRussianLetter(c);
        }
        return a.size() >= 2 && a == b;
    }

    // The neighbours of a homograph, for the context rules.
    WordContext contextOf(qsizetype index) const
    {
        WordContext context;
        if (index > 0 && !m_words.at(index).breakBefore)
            context.previous = foldedRussianWord(view(m_words.at(index - 1)));
        if (index > 1 && !context.previous.isEmpty() && !m_words.at(index - 1).breakBefore)
            context.beforePrevious = foldedRussianWord(view(m_words.at(index - 2)));
        if (index + 1 < m_words.size() && !m_words.at(index + 1).breakBefore)
            context.next = foldedRussianWord(view(m_words.at(index + 1)));
        return context;
    }

    void decidePart(qsizetype index, qsizetype start, QStringView part, const QList<Stressing> &stressings)
    {
        std::optional<Stressing> chosen;
        if (stressings.size() == 1)
            chosen = stressings.first();
        else if (stressings.size() > 1)
            chosen = stressingByContext(foldedRussianWord(part), stressings, contextOf(index));
        if (chosen)
            m_edits.append({start, part.size(), *chosen});
        else if (m_undecided && russianVowelCount(part) >= 2)
            m_undecided->append(part.toString());
    }

    const StressLexicon &m_lexicon;
    const QString &m_text;
    const QList<Word> &m_words;
    QList<Edit> &m_edits;
    QStringList *m_undecided;
    const QString *m_original = nullptr;
    const QList<ChangedStretch> *m_changed = nullptr;
    qsizetype m_nextChange = 0;
};

// Writes the word with its stressing: "ё" where the stressing has it, and a
// "+" after the stressed vowel unless that vowel is a "ё" (which takes the
// stress by itself) or the only one of its word (a hyphenated word's part:
// "кто-то" needs none).
void writeStressed(QStringView word, const Stressing &stressing, QString &out)
{
    int vowel = -1;
    qsizetype partStart = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word.at(i);
        if (c == u'-')
            partStart = i + 1;
        if (!isRussianVowelLetter(c)) {
            out += c;
            continue;
        }
        ++vowel;
        const bool yo = vowel < 32 && (stressing.yoVowels >> vowel & 1u);
        out += yo && (c == u'е' || c == u'Е') ? QChar(c == u'е' ? u'ё' : u'Ё') : c;
        if (vowel == stressing.stressedVowel && !yo) {
            qsizetype partEnd = word.indexOf(u'-', i);
            if (partEnd < 0)
                partEnd = word.size();
            if (russianVowelCount(word.mid(partStart, partEnd - partStart)) >= 2)
                out += u'+';
        }
    }
}

} // namespace

QString StressPass::apply(const QString &text, QStringList *undecided) const
{
    return applyAfterRewrite(text, text, undecided);
}

QString StressPass::applyAfterRewrite(const QString &original, const QString &text, QStringList *undecided) const
{
    if (!m_lexicon.isLoaded())
        return text;
    const QList<Word> words = wordsOf(text);
    const TextAlignment alignment(original, text);
    QList<Edit> edits;
    Decider decider(m_lexicon, text, words, edits, undecided);
    if (!alignment.changedStretches().isEmpty())
        decider.setRewrite(original, alignment.changedStretches());
    for (qsizetype i = 0; i < words.size(); ++i)
        decider.decide(i);
    if (edits.isEmpty())
        return text;
    QString out;
    out.reserve(text.size() + edits.size());
    qsizetype copied = 0;
    for (const Edit &edit : edits) {
        out += QStringView(text).mid(copied, edit.start - copied);
        writeStressed(QStringView(text).mid(edit.start, edit.length), edit.stressing, out);
        copied = edit.start + edit.length;
    }
    out += QStringView(text).mid(copied);
    return out;
}
