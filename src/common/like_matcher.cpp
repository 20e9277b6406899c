#include "common/like_matcher.h"

namespace {

// Parses the bracket at pattern[p] (which is '[') and tells whether `c`
// belongs to it; `end` receives the index just past the closing ']'.
// Returns false in `valid` when the bracket is not closed.
bool matchBracket(QStringView pattern, qsizetype p, QChar c, qsizetype &end, bool &valid)
{
    qsizetype i = p + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == u'!') {
        negate = true;
        ++i;
    }
    bool found = false;
    bool first = true;
    while (i < pattern.size() && (pattern[i] != u']' || first)) {
        first = false;
        QChar lo = pattern[i];
        if (i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']') {
            const QChar hi = pattern[i + 2];
            if (c >= lo && c <= hi)
                found = true;
            i += 3;
        } else {
            if (c == lo)
                found = true;
            ++i;
        }
    }
    valid = i < pattern.size();
    end = i + 1;
    return found != negate;
}

} // namespace

bool like(const QString &text, const QString &pattern)
{
    const QStringView s(text);
    const QStringView pat(pattern);
    qsizetype t = 0, p = 0;
    qsizetype starP = -1, starT = 0; // backtrack point of the last "*"
    while (t < s.size()) {
        bool step = false;
        qsizetype nextP = p + 1;
        if (p < pat.size()) {
            const QChar pc = pat[p];
            if (pc == u'*') {
                starP = p++;
                starT = t;
                continue;
            }
            if (pc == u'?') {
                step = true;
            } else if (pc == u'#') {
                step = s[t] >= u'0' && s[t] <= u'9';
            } else if (pc == u'[') {
                bool valid = true;
                step = matchBracket(pat, p, s[t], nextP, valid);
                if (!valid)
                    return false;
            } else {
                step = pc == s[t];
            }
        }
        if (step) {
            ++t;
            p = nextP;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == u'*')
        ++p;
    return p == pat.size();
}
