#include "import/add_pass.h"

#include "import/line_cleanup.h"
#include "import/long_line_split.h"
#include "import/stress_accents.h"
#include "import/text_normalisation.h"
#include "import/voice_markers.h"

#include "common/replace_all.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// A table-of-contents name keeps at most this many characters.
constexpr int kMaxChapterName = 64;
// A line shorter than this, not followed by an indented line, is a heading,
// a verse line or the like and gets a pause of its own.
constexpr int kShortLine = 48;
constexpr int kLinesPerProgressStep = 11;
// The place of a block opened by a size break, until its first line comes.
constexpr qsizetype kNextLine = -1;

// The dashes that hand a dialogue line from one voice to the next, in the
// order that wins a tie.
const QString kSeparators[] = {QStringLiteral(". - "), QStringLiteral(", - "), QStringLiteral("! - "),
                               QStringLiteral("? - "), QStringLiteral(": - ")};

// The earliest separator at or after `from`, or -1.
qsizetype findSeparator(const QString &line, qsizetype from)
{
    qsizetype best = -1;
    for (const QString &separator : kSeparators) {
        const qsizetype at = line.indexOf(separator, from);
        if (at >= 0 && (best < 0 || at < best))
            best = at;
    }
    return best;
}

class BlockCutter
{
public:
    BlockCutter(const QString &title, const AddOptions &options, ChapterDetector &detector,
                const LineRewriter &dictionaries)
        : m_options(options), m_detector(detector),
          m_dictionaries(options.applyDictionaries ? dictionaries : LineRewriter()), m_maxSize(options.maxBlockSize())
    {
        if (options.analyseDialogues) {
            m_pause = VoiceMarker::pause;
            m_narration = VoiceMarker::narration;
            m_speech = VoiceMarker::speech;
            m_author = VoiceMarker::author;
        }
        m_slots[1] = m_narration;
        m_slots[2] = options.twoVoiceDialogue ? VoiceMarker::speech2 : m_speech;
        m_slots[3] = m_author;
        m_opening = m_narration + kCrLf;
        m_block = m_opening;
        m_result.names.append(title);
        m_result.places.append({0, 0});
    }

    // `lineIndex`: the line's place in the book. `continuation`: a piece of
    // an over-long line after its first, which goes on the same paragraph
    // and is never a heading.
    void addLine(const QString &raw, const QString &next, qsizetype lineIndex, bool continuation = false);
    BookBlocks finish();
    int maxSize() const { return m_options.splitBySize ? m_maxSize : 0; }
    bool failed() const { return !m_result.dictionaryFailure.isEmpty(); }

private:
    void markDialogue(QString &line);
    void endParagraph(QString &line);
    void startBlock(const QString &name, qsizetype lineIndex);
    void takeHeading(const QString &name, qsizetype rawSize, qsizetype lineIndex);

    const AddOptions &m_options;
    ChapterDetector &m_detector;
    LineRewriter m_dictionaries;
    int m_maxSize;

    QString m_pause, m_narration, m_speech, m_author;
    QString m_slots[4]; // 1 narration, 2 the reply's voice, 3 author
    QString m_opening;  // how every block begins

    int m_voice = 1;
    bool m_inDialogue = false;
    qint64 m_blockChars = 0; // raw characters of the lines in the current block
    int m_part = 1;
    bool m_blockSpeaks = false;  // the current block holds a letter or a digit
    bool m_blockHasText = false; // ... in a line that is no heading
    QString m_chapter = QStringLiteral("Блок");
    QString m_block;
    BookBlocks m_result;
};

void BlockCutter::markDialogue(QString &line)
{
    if (line.size() >= 3 && line.startsWith(QLatin1String("- ")) && line.at(2) == line.at(2).toUpper()) {
        line = m_slots[2] + u' ' + line;
        m_voice = 2;
        m_inDialogue = true;
    }
    if (!m_inDialogue)
        return;
    // Each separator hands the line to the next voice: reply, author, reply.
    // The marker goes right after the punctuation, so that separator is used up.
    qsizetype at = findSeparator(line, 0);
    while (at >= 0) {
        m_voice = m_voice == 2 ? 3 : 2;
        const QString &marker = m_slots[m_voice];
        line.insert(at + 1, marker);
        at = findSeparator(line, at + 1 + marker.size());
    }
}

void BlockCutter::endParagraph(QString &line)
{
    if (m_voice != 1)
        line += m_narration;
    line += m_pause;
    m_voice = 1;
    if (m_options.twoVoiceDialogue)
        m_slots[2] = m_slots[2] == VoiceMarker::speech2 ? m_speech : VoiceMarker::speech2;
    m_inDialogue = false;
}

void BlockCutter::startBlock(const QString &name, qsizetype lineIndex)
{
    m_result.blocks.append(m_block);
    m_result.names.append(name);
    m_result.places.append({lineIndex, lineIndex});
    m_block = m_opening;
    m_blockChars = 0;
    m_blockSpeaks = false;
    m_blockHasText = false;
}

// "Часть вторая" and "I" -> "Часть вторая. I".
QString joinedHeadings(const QString &first, const QString &second)
{
    static const QString kEndMarks = QStringLiteral(".!?…:");
    const bool ended = !first.isEmpty() && kEndMarks.contains(first.back());
    return (first + (ended ? QStringLiteral(" ") : QStringLiteral(". ")) + second).left(kMaxChapterName);
}

void BlockCutter::takeHeading(const QString &name, qsizetype rawSize, qsizetype lineIndex)
{
    if (m_blockHasText) {
        startBlock(name, lineIndex);
        m_chapter = name;
        m_blockChars = rawSize;
    } else if (m_result.blocks.isEmpty()) {
        // The book's first block keeps its title; its parts are the chapter's.
        m_chapter = m_blockSpeaks ? joinedHeadings(m_chapter, name) : name;
    } else if (m_blockSpeaks) {
        // Only headings so far: a part and its first chapter make one block.
        m_chapter = joinedHeadings(m_result.names.last(), name);
        m_result.names.last() = m_chapter;
    } else {
        m_chapter = name;
        m_result.names.last() = name;
        m_result.places.last().nameLine = lineIndex;
        m_blockChars = rawSize;
    }
    m_part = 1;
}

bool speaks(const QString &line)
{
    for (const QChar c : line)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

void BlockCutter::addLine(const QString &raw, const QString &next, qsizetype lineIndex, bool continuation)
{
    if (m_result.places.last().firstLine == kNextLine)
        m_result.places.last() = {lineIndex, lineIndex};
    m_blockChars += raw.size();
    QString line = raw;
    bool joinsNext = false;
    if (m_options.analyseDialogues) {
        CleanLine clean = cleanUpLine(raw, next, {m_options.removeHyphens, m_options.dialogueStartsWithQuotes});
        line = clean.text;
        joinsNext = clean.joinsNext;
        markDialogue(line);
    }

    const QString forSize = m_options.paragraphWithoutIndent ? raw : trimSpaces(raw);
    const bool endsWithFullStop = forSize.endsWith(u'.');
    if (endsSentence(raw) && (m_options.paragraphWithoutIndent || startsIndented(next) || next.isEmpty()))
        endParagraph(line);
    if (next.isEmpty() && !line.isEmpty() && !line.endsWith(m_pause))
        line += m_pause;

    QString prepared = raw;
    // The detector sees every line of the book once, in order (the later
    // pieces of an over-long line are no lines of their own), so its
    // empty-line count and its survey follow the text.
    const bool heading = !continuation && m_detector.isChapter(prepared) && m_options.splitByChapters;
    if (heading) {
        takeHeading(trimSpaces(removeVoiceMarkers(line)).left(kMaxChapterName), raw.size(), lineIndex);
        line = (m_voice != 1 ? m_narration : QString()) + line + m_pause;
    }

    // A line that joins the next ends inside a word: no pause may split it.
    if (!joinsNext && !isBlank(line) && !line.endsWith(m_pause)
        && (isBlank(next) || (line.size() < kShortLine && !startsIndented(next))))
        line += m_pause;
    if (m_dictionaries) {
        DictionaryRewrite rewrite = m_dictionaries(line);
        if (!rewrite.ok()) {
            m_result.dictionaryFailure = rewrite.failure;
            return;
        }
        line = std::move(rewrite.text);
    }
    // The line's own letters are what the listener hears; the markers added
    // to it say nothing.
    const bool lineSpeaks = speaks(raw);
    m_blockSpeaks = m_blockSpeaks || lineSpeaks;
    m_blockHasText = m_blockHasText || (lineSpeaks && !heading);
    m_block += line;
    if (!joinsNext)
        m_block += kCrLf;

    if (m_options.splitBySize && m_blockChars >= m_maxSize && endsWithFullStop && m_blockHasText) {
        ++m_part;
        // The block begins with the next line, or the next piece of this one.
        startBlock(m_chapter + u'(' + QString::number(m_part) + u')', kNextLine);
    }
}

BookBlocks BlockCutter::finish()
{
    if (m_result.blocks.isEmpty() || m_blockHasText) {
        m_result.blocks.append(m_block);
        return m_result;
    }
    // A size break on the text's last line leaves a block with nothing to
    // say but the empty lines after it; headings after the book's last
    // words go with them.
    if (m_blockSpeaks)
        m_result.blocks.last() += m_block.mid(m_opening.size());
    m_result.names.removeLast();
    m_result.places.removeLast();
    return m_result;
}

QString progressText(qsizetype position, qsizetype total)
{
    const double share = total > 0 ? 100.0 * double(position) / double(total) : 100.0;
    return QStringLiteral("Обработка текста: ") + QString::number(share, 'f', 2) + u'%';
}

} // namespace

QStringList splitBookLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

QString escapeAngleBrackets(const QString &text)
{
    return replaceAll(replaceAll(text, QStringLiteral(">"), QStringLiteral("&gt;"), true), QStringLiteral("<"),
                      QStringLiteral("&lt;"), true);
}

BookBlocks cutIntoBlocks(const QString &text, const QString &title, const AddOptions &options,
                         ChapterDetector &detector, const LineRewriter &dictionaries, const AddProgress &progress,
                         const std::function<bool()> &keepGoing)
{
    const QString escaped = stressAccentsAsMarks(escapeAngleBrackets(text));
    const QStringList lines = splitBookLines(escaped);
    detector.surveyBook(lines);
    BlockCutter cutter(title, options, detector, dictionaries);
    const QString end = QStringLiteral("End");
    qsizetype position = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &next = i + 1 < lines.size() ? lines[i + 1] : end;
        const QStringList pieces = splitOverlongLine(lines[i], cutter.maxSize());
        for (qsizetype k = 0; k < pieces.size(); ++k)
            cutter.addLine(pieces[k], k + 1 < pieces.size() ? pieces[k + 1] : next, i, k > 0);
        if (cutter.failed())
            break;
        position += lines[i].size();
        if ((i + 1) % kLinesPerProgressStep != 0)
            continue;
        if (progress)
            progress(progressText(position, escaped.size()), position);
        if (keepGoing && !keepGoing()) {
            BookBlocks partial = cutter.finish();
            partial.stopped = true;
            return partial;
        }
    }
    return cutter.finish();
}
