#include "import/chapter_pattern.h"

#include "import/chapter_detection.h"
#include "import/chapter_number.h"

#include "common/like_matcher.h"

#include <optional>

namespace {

struct ClassToken
{
    qsizetype at = -1;
    qsizetype length = 0;
    ChapterNumberKind kind = ChapterNumberKind::Any;
};

// Index just past the bracket list opening at `at` ("[!a-z]", "[]]").
qsizetype bracketEnd(QStringView pattern, qsizetype at)
{
    const qsizetype close = pattern.indexOf(u']', at + 2);
    return close < 0 ? pattern.size() : close + 1;
}

// The first number class outside bracket lists.
ClassToken firstClass(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size();) {
        if (pattern[i] == u'[') {
            i = bracketEnd(pattern, i);
            continue;
        }
        qsizetype length = 0;
        if (const auto kind = chapterNumberClassAt(pattern, i, length))
            return {i, length, *kind};
        ++i;
    }
    return {};
}

// How many line characters a pattern without "*" and without classes
// stands for, one per character or bracket list; nothing with a "*".
std::optional<qsizetype> fixedWidth(QStringView pattern)
{
    qsizetype width = 0;
    for (qsizetype i = 0; i < pattern.size(); ++width) {
        if (pattern[i] == u'*')
            return std::nullopt;
        i = pattern[i] == u'[' ? bracketEnd(pattern, i) : i + 1;
    }
    return width;
}

bool plainMatches(const QString &line, const QString &pattern, bool whole)
{
    return whole ? like(line, pattern) : like(line.left(patternLength(pattern)), pattern);
}

bool matchesFrom(const QString &line, const QString &pattern, bool whole)
{
    const ClassToken token = firstClass(pattern);
    if (token.at < 0)
        return plainMatches(line, pattern, whole);
    const QString before = pattern.left(token.at);
    const QString after = pattern.mid(token.at + token.length);
    const auto width = fixedWidth(before);
    const qsizetype first = width ? *width : 0;
    const qsizetype last = width ? std::min(*width, line.size()) : line.size();
    for (qsizetype i = first; i <= last; ++i) {
        if (!like(line.left(i), before))
            continue;
        for (const qsizetype length : chapterNumberLengthsAt(line, i, token.kind))
            if (matchesFrom(line.mid(i + length), after, whole))
                return true;
    }
    return false;
}

} // namespace

bool chapterPatternMatches(const QString &pattern, const QString &line)
{
    // Most patterns name no class: they are compared as they always were,
    // without looking for one.
    if (!pattern.contains(u'{')) {
        if (pattern.contains(u'*'))
            return like(line, pattern);
        if (pattern.endsWith(u'|'))
            return like(line, pattern.chopped(1));
        return like(line.left(patternLength(pattern)), pattern);
    }
    if (pattern.contains(u'*'))
        return matchesFrom(line, pattern, true);
    if (pattern.endsWith(u'|'))
        return matchesFrom(line, pattern.chopped(1), true);
    return matchesFrom(line, pattern, false);
}
