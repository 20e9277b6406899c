#include "dictionaries/key_automaton.h"

#include <algorithm>
#include <array>
#include <deque>
#include <memory>
#include <utility>

char16_t KeyAutomaton::fold(char16_t unit)
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
    return (*table)[unit];
}

void KeyAutomaton::build(const std::vector<QStringView> &keys, const std::vector<int> &ids)
{
    // The trie, with unsorted child lists while it grows.
    std::vector<std::vector<std::pair<char16_t, int>>> children(1);
    std::vector<std::vector<int>> nodeIds(1);
    std::vector<int> depth(1, 0);
    m_longestKey = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        int node = 0;
        for (const QChar ch : keys[i]) {
            const char16_t c = fold(ch.unicode());
            auto &list = children[node];
            auto it = std::find_if(list.begin(), list.end(), [c](const auto &e) { return e.first == c; });
            if (it != list.end()) {
                node = it->second;
                continue;
            }
            const int child = int(children.size());
            list.emplace_back(c, child);
            children.emplace_back();
            nodeIds.emplace_back();
            depth.push_back(depth[node] + 1);
            node = child;
        }
        nodeIds[node].push_back(ids[i]);
        m_longestKey = std::max(m_longestKey, keys[i].size());
    }

    const int count = int(children.size());
    m_nodes.assign(count, Node{});
    m_edgeChar.clear();
    m_edgeTarget.clear();
    m_ids.clear();
    for (int node = 0; node < count; ++node) {
        auto &list = children[node];
        std::sort(list.begin(), list.end());
        Node &n = m_nodes[node];
        n.edgeBegin = int(m_edgeChar.size());
        for (const auto &[c, child] : list) {
            m_edgeChar.push_back(c);
            m_edgeTarget.push_back(child);
        }
        n.edgeEnd = int(m_edgeChar.size());
        n.idBegin = int(m_ids.size());
        m_ids.insert(m_ids.end(), nodeIds[node].begin(), nodeIds[node].end());
        n.idEnd = int(m_ids.size());
        n.depth = depth[node];
    }
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
