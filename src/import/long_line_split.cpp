#include "import/long_line_split.h"

namespace {

bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == u'…';
}

// The index just after the first sentence end at or after `from` that is
// followed by blanks and a letter, or -1.
qsizetype sentenceCut(const QString &line, qsizetype from)
{
    for (qsizetype i = from; i + 2 < line.size(); ++i) {
        if (!endsSentence(line.at(i)) || line.at(i + 1) != u' ')
            continue;
        qsizetype next = i + 1;
        while (next < line.size() && line.at(next) == u' ')
            ++next;
        if (next < line.size() && line.at(next).isLetter())
            return i + 1;
    }
    return -1;
}

} // namespace

QStringList splitOverlongLine(const QString &line, int blockSize)
{
    if (blockSize <= 0 || line.size() <= 2 * qsizetype(blockSize))
        return {line};
    QStringList pieces;
    qsizetype start = 0;
    for (;;) {
        const qsizetype cut = sentenceCut(line, start + blockSize - 1);
        if (cut < 0)
            break;
        pieces.append(line.mid(start, cut - start));
        start = cut;
        while (line.at(start) == u' ')
            ++start;
    }
    pieces.append(line.mid(start));
    return pieces;
}
