#include "import/text_search.h"

std::optional<qsizetype> TextSearch::findNext(const QString &text, const QString &what, bool caseSensitive)
{
    if (what.isEmpty())
        return std::nullopt;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype hit = text.indexOf(what, std::min(m_position, text.size()), cs);
    if (hit < 0 && m_position > 0)
        hit = text.indexOf(what, 0, cs);
    if (hit < 0)
        return std::nullopt;
    m_position = hit + 1;
    return hit;
}
