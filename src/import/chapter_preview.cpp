#include "import/chapter_preview.h"

#include "import/add_pass.h"
#include "import/text_normalisation.h"

namespace {

struct TextLine
{
    qsizetype start;
    qsizetype length;
    qsizetype withBreak; // length including its line break
};

// The lines as splitBookLines cuts them, by their place in the text.
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
    // The add pass itself cuts the text (years rewritten as adding does; the
    // rewrite adds no line), so the rows are the blocks it will make.
    const int emptyLinesBefore = detector.emptyCount;
    const BookBlocks blocks =
        cutIntoBlocks(options.fixYears ? fixYears(text) : text, title, options, detector, {}, {}, keepGoing);
    detector.emptyCount = emptyLinesBefore;
    ChapterPreview preview;
    preview.stopped = blocks.stopped;
    if (blocks.stopped)
        return preview;
    const QList<TextLine> lines = linesOf(text);
    for (qsizetype i = 0; i < blocks.places.size(); ++i) {
        const BlockPlace &place = blocks.places[i];
        const qsizetype end = i + 1 < blocks.places.size() ? blocks.places[i + 1].firstLine : lines.size();
        qint64 characters = 0;
        for (qsizetype line = place.firstLine; line < end; ++line)
            characters += lines[line].withBreak;
        // Row 1 stands for the title, not for a line of the text.
        const TextLine &named = i == 0 ? TextLine{0, 0, 0} : lines[place.nameLine];
        preview.rows.append(
            {int(i) + 1, trimSpaces(blocks.names[i]), named.start, named.length, int(rate.seconds(characters))});
    }
    return preview;
}
