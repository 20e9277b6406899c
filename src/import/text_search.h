#pragma once
// The book editor's "Найти": each search goes on from just after the last
// hit, and a search that reaches the end of the text starts again from the
// beginning, so pressing "Найти" again walks through every occurrence.

#include <QString>

#include <optional>

class TextSearch
{
public:
    // Where the next occurrence of `what` starts, or nothing when the text
    // holds none (the remembered position is then kept).
    std::optional<qsizetype> findNext(const QString &text, const QString &what, bool caseSensitive);
    // The next search starts at the beginning again (the search text changed).
    void restart() { m_position = 0; }

private:
    qsizetype m_position = 0;
};
