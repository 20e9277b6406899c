#include "import/chapter_preview.h"

#include "import/text_normalisation.h"

#include <cmath>

namespace {

struct TextLine
{
    qsizetype start;
    qsizetype length;
    qsizetype withBreak; // length including its line break
};

QList<TextLine> linesOf(const QString &text)
{
    QList<TextLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype end = i;
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        lines.append({start, end - start, i + 1 - start});
        start = i + 1;
    }
    lines.append({start, text.size() - start, text.size() - start});
    return lines;
}

} // namespace

ChapterPreview previewChapters(const QString &text, const QString &title, const AddOptions &options,
                               const SpeakingRate &rate, ChapterDetector &detector,
                               const std::function<bool()> &keepGoing)
{
    ChapterPreview preview;
    preview.rows.append({1, title, 0, 0, 0});
    const int maxSize = options.maxBlockSize();
    qint64 blockLength = 0;
    int part = 1;
    bool sizeBreakPending = false;
    QString chapter = QStringLiteral("Блок");
    const QList<TextLine> lines = linesOf(text);
    QStringList lineTexts;
    lineTexts.reserve(lines.size());
    for (const TextLine &textLine : lines)
        lineTexts.append(text.mid(textLine.start, textLine.length));
    detector.surveyBook(lineTexts);
    for (const TextLine &textLine : lines) {
        blockLength += textLine.withBreak;
        QString line = text.mid(textLine.start, textLine.length);
        const bool heading = detector.isChapter(line);
        if ((options.splitByChapters && heading) || sizeBreakPending) {
            QString name;
            if (sizeBreakPending) {
                ++part;
                name = chapter + QStringLiteral(" (") + QString::number(part) + u')';
            } else {
                chapter = line;
                part = 1;
                name = line;
            }
            preview.rows.last().seconds = int(rate.seconds(blockLength));
            preview.rows.append({int(preview.rows.size()) + 1, trimSpaces(name), textLine.start, textLine.length, 0});
            blockLength = 0;
            detector.emptyCount = 0;
            if (keepGoing && !keepGoing()) {
                preview.stopped = true;
                return preview;
            }
        }
        sizeBreakPending = options.splitBySize && blockLength > maxSize;
    }
    preview.rows.last().seconds = int(rate.seconds(blockLength));
    return preview;
}
