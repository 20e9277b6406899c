#include "import/book_line_breaks.h"

namespace {

constexpr int kMaxLineBreaksInRow = 4;

bool isDroppedControl(QChar c)
{
    return c.unicode() == 7 || c.unicode() == 1 || c.unicode() == 21;
}

} // namespace

QString normaliseLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 32);
    int breaksInRow = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n' || c.unicode() == 11) {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            // Dropped control characters between two breaks do not part
            // them: the breaks still count as one run.
            if (++breaksInRow <= kMaxLineBreaksInRow)
                result.append(u"\r\n");
            continue;
        }
        if (isDroppedControl(c))
            continue;
        breaksInRow = 0;
        result.append(c);
    }
    return result;
}

QString limitEmptyLines(const QString &text)
{
    QString result;
    result.reserve(text.size());
    int breaksInRow = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
            ++i;
            if (++breaksInRow <= kMaxLineBreaksInRow)
                result.append(u"\r\n");
            continue;
        }
        breaksInRow = 0;
        result.append(text.at(i));
    }
    return result;
}
