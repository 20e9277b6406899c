#include "dictionaries/key_automaton.h"

#include <algorithm>
#include <array>
#include <deque>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

const char16_t *KeyAutomaton::foldTable()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<char16_t, 0x10000>>();
        for (char32_t u = 0; u < 0x10000; ++u) {
            const char32_t folded = QChar::toCaseFolded(u);
            (*t)[u] = (QChar::isSurrogate(u) || folded > 0xFFFF || QChar::isSurrogate(folded)) ? char16_t(0xD800)
                                                                                               : char16_t(folded);
        }
        return t;
    }();
    return table->data();
}

void KeyAutomaton::build(const std::vector<QStringView> &keys, const std::vector<int> &ids)
{
    // The keys are folded into one buffer and sorted, equal ones keeping
    // their order (so each node's ids stay ascending). A key then shares with
    // the trie built so far exactly its common beginning with the key before
    // it: the trie grows along that key's path without looking anything up,
    // and each node's children come in ascending order. A hundred thousand
    // keys so cost a few large allocations instead of one per node.
    std::u16string folded;
    std::vector<std::pair<size_t, size_t>> spans(keys.size()); // start and length in `folded`
    for (size_t i = 0; i < keys.size(); ++i) {
        spans[i] = {folded.size(), size_t(keys[i].size())};
        for (const QChar ch : keys[i])
            folded.push_back(fold(ch.unicode()));
    }
    auto foldedKey = [&](size_t i) { return std::u16string_view(folded).substr(spans[i].first, spans[i].second); };
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return foldedKey(a) < foldedKey(b); });

    struct Edge
    {
        int parent;
        char16_t c;
    };
    std::vector<Edge> edges(1); // edges[node] leads to node; the root has none
    std::vector<int> depth(1, 0);
    std::vector<std::pair<int, int>> nodeIds; // (node, id), in the order the ids come
    std::vector<int> path(1, 0);              // the nodes of the key before, by depth
    std::u16string_view previous;
    m_longestKey = 0;
    for (const size_t i : order) {
        const std::u16string_view key = foldedKey(i);
        const auto common = std::mismatch(key.begin(), key.end(), previous.begin(), previous.end()).first - key.begin();
        path.resize(common + 1);
        for (size_t d = common; d < key.size(); ++d) {
            const int child = int(edges.size());
            edges.push_back({path.back(), key[d]});
            depth.push_back(int(d) + 1);
            path.push_back(child);
        }
        nodeIds.emplace_back(path.back(), ids[i]);
        previous = key;
        m_longestKey = std::max(m_longestKey, qsizetype(key.size()));
    }

    // Children and ids laid out node by node.
    const int count = int(edges.size());
    m_nodes.assign(count, Node{});
    for (int node = 1; node < count; ++node)
        ++m_nodes[edges[node].parent].edgeEnd;
    for (const auto &[node, id] : nodeIds)
        ++m_nodes[node].idEnd;
    int edgeStart = 0;
    int idStart = 0;
    for (int node = 0; node < count; ++node) {
        Node &n = m_nodes[node];
        n.edgeBegin = edgeStart;
        edgeStart += std::exchange(n.edgeEnd, n.edgeBegin);
        n.idBegin = idStart;
        idStart += std::exchange(n.idEnd, n.idBegin);
        n.depth = depth[node];
    }
    m_edgeChar.assign(edgeStart, 0);
    m_edgeTarget.assign(edgeStart, 0);
    for (int node = 1; node < count; ++node) {
        Node &parent = m_nodes[edges[node].parent];
        m_edgeChar[parent.edgeEnd] = edges[node].c;
        m_edgeTarget[parent.edgeEnd++] = node;
    }
    m_ids.assign(idStart, 0);
    for (const auto &[node, id] : nodeIds)
        m_ids[m_nodes[node].idEnd++] = id;
    m_rootNext.assign(0x10000, 0);
    for (int e = m_nodes[0].edgeBegin; e < m_nodes[0].edgeEnd; ++e)
        m_rootNext[m_edgeChar[e]] = m_edgeTarget[e];

    // Fail links and output links, breadth first so shorter keys come first.
    std::deque<int> queue;
    m_nodes[0].output = 0;
    for (int e = m_nodes[0].edgeBegin; e < m_nodes[0].edgeEnd; ++e)
        queue.push_back(m_edgeTarget[e]);
    while (!queue.empty()) {
        const int node = queue.front();
        queue.pop_front();
        Node &n = m_nodes[node];
        n.output = n.idEnd > n.idBegin ? node : m_nodes[n.fail].output;
        for (int e = n.edgeBegin; e < n.edgeEnd; ++e) {
            const int child = m_edgeTarget[e];
            m_nodes[child].fail = node == 0 ? 0 : next(n.fail, m_edgeChar[e]);
            queue.push_back(child);
        }
    }
}

int KeyAutomaton::next(int state, char16_t c) const
{
    while (state != 0) {
        const Node &n = m_nodes[state];
        const auto begin = m_edgeChar.begin() + n.edgeBegin;
        const auto end = m_edgeChar.begin() + n.edgeEnd;
        const auto it = std::lower_bound(begin, end, c);
        if (it != end && *it == c)
            return m_edgeTarget[it - m_edgeChar.begin()];
        state = n.fail;
    }
    return m_rootNext[c];
}

int KeyAutomaton::child(int state, char16_t c) const
{
    if (state == 0)
        return m_rootNext[c] > 0 ? m_rootNext[c] : -1;
    const Node &n = m_nodes[state];
    const auto begin = m_edgeChar.begin() + n.edgeBegin;
    const auto end = m_edgeChar.begin() + n.edgeEnd;
    const auto it = std::lower_bound(begin, end, c);
    return it != end && *it == c ? m_edgeTarget[it - m_edgeChar.begin()] : -1;
}
