#pragma once
// A multi-key matcher (Aho-Corasick) over case-folded text: it finds every
// place where any dictionary key may occur, in one pass over the text. The
// folding is coarse on purpose: every letter is folded the way the
// case-blind search folds it, and all surrogate halves count as one
// character, so wherever the exact search (case-sensitive or not) finds a
// key, the automaton reports it too; it may report more, never less.

#include <QChar>
#include <QStringView>

#include <cstdint>
#include <vector>

class KeyAutomaton
{
public:
    // The coarse folding of one UTF-16 unit.
    static char16_t fold(char16_t unit) { return foldTable()[unit]; }
    // The folding of every unit, for loops that fold many.
    static const char16_t *foldTable();

    // keys[i] belongs to entry ids[i]; ids must be given in ascending order.
    void build(const std::vector<QStringView> &keys, const std::vector<int> &ids);

    qsizetype longestKey() const { return m_longestKey; }

    // Calls found(id, start, end) for every key occurrence lying inside
    // text[from, to), for the entries with id greater than `minId`.
    template <typename Found> void scan(QStringView text, qsizetype from, qsizetype to, int minId, Found &&found) const;

    // Calls found(id, start, end) for every key that text[start, ...) begins
    // with, for the entries with id greater than `minId`: a walk down the
    // key tree from one place, for keys that can only match there.
    template <typename Found> void matchAt(QStringView text, qsizetype start, int minId, Found &&found) const;

private:
    int next(int state, char16_t c) const;
    // The node one character below `state`, or -1.
    int child(int state, char16_t c) const;

    struct Node
    {
        int edgeBegin = 0, edgeEnd = 0; // children in m_edgeChar / m_edgeTarget
        int fail = 0;
        int output = -1;            // nearest node on the fail chain (or itself) with ids
        int idBegin = 0, idEnd = 0; // this node's own entry ids in m_ids
        int depth = 0;
    };
    std::vector<Node> m_nodes;
    std::vector<char16_t> m_edgeChar;
    std::vector<int> m_edgeTarget;
    std::vector<int> m_rootNext; // dense transitions of the root
    std::vector<int> m_ids;
    qsizetype m_longestKey = 0;
};

template <typename Found>
void KeyAutomaton::scan(QStringView text, qsizetype from, qsizetype to, int minId, Found &&found) const
{
    if (m_nodes.empty())
        return;
    const char16_t *folding = foldTable();
    int state = 0;
    for (qsizetype p = from; p < to; ++p) {
        state = next(state, folding[text[p].unicode()]);
        for (int node = m_nodes[state].output; node > 0; node = m_nodes[m_nodes[node].fail].output) {
            const Node &n = m_nodes[node];
            for (int k = n.idEnd - 1; k >= n.idBegin && m_ids[k] > minId; --k)
                found(m_ids[k], p + 1 - n.depth, p + 1);
        }
    }
}

template <typename Found> void KeyAutomaton::matchAt(QStringView text, qsizetype start, int minId, Found &&found) const
{
    if (m_nodes.empty())
        return;
    const char16_t *folding = foldTable();
    int state = 0;
    for (qsizetype p = start; p < text.size(); ++p) {
        state = child(state, folding[text[p].unicode()]);
        if (state <= 0)
            return;
        const Node &n = m_nodes[state];
        for (int k = n.idEnd - 1; k >= n.idBegin && m_ids[k] > minId; --k)
            found(m_ids[k], start, p + 1);
    }
}
