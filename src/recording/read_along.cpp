#include "recording/read_along.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

bool isVowel(QChar c)
{
    static const QString vowels = QStringLiteral("аеёиоуыэюяАЕЁИОУЫЭЮЯaeiouyAEIOUY");
    return vowels.contains(c);
}

// A "+" or grave accent after a vowel, or a combining accent: the stress
// marks the voice hears but a reader should not see.
bool isStressMark(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c == QChar(0x0300) || c == QChar(0x0301))
        return true;
    return (c == u'+' || c == u'`') && i > 0 && isVowel(text.at(i - 1));
}

bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026);
}

bool closesSentence(QChar c)
{
    return endsSentence(c) || c == u'"' || c == u')' || c == QChar(0xBB) || c == QChar(0x201D);
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool hasLetterOrDigit(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The text as a reader sees it, and where each position of the text given
// to Speak went in it.
struct VisibleText
{
    QString text;
    QList<int> sources;  // increasing positions of the spoken text...
    QList<int> visibles; // ...and where each stands in `text`

    // The visible position of the first character at or after `source`.
    int visibleAt(int source) const
    {
        const auto it = std::lower_bound(sources.cbegin(), sources.cend(), source);
        return it == sources.cend() ? int(text.size()) : visibles.at(it - sources.cbegin());
    }
};

VisibleText visibleText(const QList<SpeechPiece> &pieces)
{
    VisibleText visible;
    for (const SpeechPiece &piece : pieces) {
        // A pause ends what came before it, as a heading without a full
        // stop ends with the pause after it.
        if (piece.kind == SpeechPiece::Silence) {
            visible.text += u'\n';
            continue;
        }
        if (!visible.text.isEmpty() && !visible.text.back().isSpace())
            visible.text += u' ';
        for (qsizetype i = 0; i < piece.text.size(); ++i) {
            if (isStressMark(piece.text, i))
                continue;
            const int source = piece.sourcePos.value(i, piece.sourcePos.isEmpty() ? 0 : piece.sourcePos.last());
            if (visible.sources.isEmpty() || source > visible.sources.last()) {
                visible.sources << source;
                visible.visibles << int(visible.text.size());
            }
            visible.text += piece.text.at(i);
        }
    }
    return visible;
}

struct Sentence
{
    int start = 0;
    int end = 0;
    bool timed = false;
    ReadAlongLine line;
    QList<int> lineOffsets; // visible position - start -> offset in line.text
};

QList<Sentence> sentencesOf(const QString &text)
{
    QList<Sentence> sentences;
    const int size = int(text.size());
    int i = 0;
    while (i < size) {
        while (i < size && text.at(i).isSpace())
            ++i;
        const int start = i;
        while (i < size && !endsSentence(text.at(i)) && !isLineBreak(text.at(i)))
            ++i;
        while (i < size && closesSentence(text.at(i)))
            ++i;
        if (i > start && hasLetterOrDigit(QStringView(text).mid(start, i - start))) {
            Sentence sentence;
            sentence.start = start;
            sentence.end = i;
            sentences.append(sentence);
        }
    }
    // Each sentence's text on one line, its blanks and breaks one blank.
    for (Sentence &s : sentences) {
        for (int p = s.start; p < s.end; ++p) {
            s.lineOffsets << int(s.line.text.size());
            if (!text.at(p).isSpace())
                s.line.text += text.at(p);
            else if (!s.line.text.endsWith(u' '))
                s.line.text += u' ';
        }
        s.line.text = s.line.text.trimmed();
    }
    return sentences;
}

// The sentence that holds visible position `at`, or the first one after it.
Sentence *sentenceAt(QList<Sentence> &sentences, int at)
{
    const auto it = std::upper_bound(sentences.begin(), sentences.end(), at,
                                     [](int position, const Sentence &s) { return position < s.end; });
    return it == sentences.end() ? nullptr : &*it;
}

int nonBlankCount(QStringView text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); }));
}

void timeByStretch(QList<Sentence> &sentences, const VisibleText &visible, const TimedSpan &span)
{
    const int start = visible.visibleAt(span.position);
    const int end = visible.visibleAt(span.position + span.length);
    const int total = nonBlankCount(QStringView(visible.text).mid(start, end - start));
    for (Sentence &s : sentences) {
        if (s.timed || s.start < start || s.start >= end)
            continue;
        const int before = nonBlankCount(QStringView(visible.text).mid(start, s.start - start));
        s.line.seconds = span.seconds + (total > 0 ? span.durationSeconds * before / total : 0);
        s.timed = true;
    }
}

QString srtTime(double seconds)
{
    const qint64 ms = std::llround(std::max(0.0, seconds) * 1000);
    return QStringLiteral("%1:%2:%3,%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

double parsedTime(const QString &minutes, const QString &seconds)
{
    return minutes.toDouble() * 60 + seconds.toDouble();
}

} // namespace

QList<ReadAlongLine> readAlongLines(const QList<SpeechPiece> &pieces, const QList<TimedSpan> &spans)
{
    const VisibleText visible = visibleText(pieces);
    QList<Sentence> sentences = sentencesOf(visible.text);
    for (const TimedSpan &span : spans) {
        if (span.kind == TimedSpan::Stretch) {
            timeByStretch(sentences, visible, span);
            continue;
        }
        const int start = visible.visibleAt(span.position);
        const int end = visible.visibleAt(span.position + span.length);
        Sentence *s = sentenceAt(sentences, start);
        if (!s)
            continue;
        if (!s->timed) {
            s->line.seconds = span.seconds;
            s->timed = true;
        }
        const int from = std::max(start, s->start);
        const QString word = visible.text.mid(from, std::min(end, s->end) - from).trimmed();
        if (hasLetterOrDigit(word))
            s->line.words.append({span.seconds, s->lineOffsets.at(from - s->start), word});
    }
    // A sentence no word of which was told (nothing to say but a number the
    // voice skipped) comes with the one before it; times never go back.
    QList<ReadAlongLine> lines;
    double last = 0;
    for (Sentence &s : sentences) {
        s.line.seconds = std::max(last, s.line.seconds);
        last = s.line.seconds;
        lines.append(s.line);
    }
    return lines;
}

QString lrcTime(double seconds)
{
    const qint64 centiseconds = std::llround(std::max(0.0, seconds) * 100);
    return QStringLiteral("%1:%2.%3")
        .arg(centiseconds / 6000, 2, 10, QLatin1Char('0'))
        .arg(centiseconds / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(centiseconds % 100, 2, 10, QLatin1Char('0'));
}

QString lrcText(const QList<ReadAlongLine> &lines, const ReadAlongTags &tags, bool words)
{
    QString lrc;
    const auto tag = [&lrc](const char *name, const QString &value) {
        if (!value.isEmpty())
            lrc += QStringLiteral("[") + QLatin1String(name) + u':' + QString(value).replace(u'\n', u' ')
                   + QStringLiteral("]\n");
    };
    tag("ti", tags.title);
    tag("ar", tags.artist);
    tag("al", tags.album);
    if (tags.lengthSeconds > 0)
        tag("length", lrcTime(tags.lengthSeconds).left(lrcTime(tags.lengthSeconds).indexOf(u'.')));
    tag("re", QStringLiteral("Lectorium"));
    for (const ReadAlongLine &line : lines) {
        QString text = line.text;
        if (words) {
            // From the end, so the offsets before stay right.
            for (qsizetype w = line.words.size() - 1; w >= 0; --w)
                text.insert(line.words.at(w).offset, QStringLiteral("<") + lrcTime(line.words.at(w).seconds) + u'>');
        }
        lrc += QStringLiteral("[") + lrcTime(line.seconds) + u']' + text + u'\n';
    }
    return lrc;
}

QString srtText(const QList<ReadAlongLine> &lines, double lengthSeconds)
{
    QString srt;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double start = lines.at(i).seconds;
        const double end = std::max(start, i + 1 < lines.size() ? lines.at(i + 1).seconds : lengthSeconds);
        srt += QString::number(i + 1) + u'\n' + srtTime(start) + QStringLiteral(" --> ") + srtTime(end) + u'\n'
               + lines.at(i).text + QStringLiteral("\n\n");
    }
    return srt;
}

QList<ReadAlongLine> parseLrc(const QString &text)
{
    static const QRegularExpression timed(QStringLiteral("^\\[(\\d+):(\\d{1,2}(?:\\.\\d+)?)\\](.*)$"));
    static const QRegularExpression wordTime(QStringLiteral("<(\\d+):(\\d{1,2}(?:\\.\\d+)?)>"));
    QList<ReadAlongLine> lines;
    for (const QString &row : text.split(u'\n')) {
        const QRegularExpressionMatch match = timed.match(row.trimmed());
        if (!match.hasMatch())
            continue;
        ReadAlongLine line;
        line.seconds = parsedTime(match.captured(1), match.captured(2));
        const QString body = match.captured(3);
        qsizetype at = 0;
        QList<std::pair<double, int>> wordStarts;
        for (auto it = wordTime.globalMatch(body); it.hasNext();) {
            const QRegularExpressionMatch tag = it.next();
            line.text += body.mid(at, tag.capturedStart() - at);
            wordStarts.append({parsedTime(tag.captured(1), tag.captured(2)), int(line.text.size())});
            at = tag.capturedEnd();
        }
        line.text += body.mid(at);
        for (qsizetype w = 0; w < wordStarts.size(); ++w) {
            const int from = wordStarts.at(w).second;
            const int to = w + 1 < wordStarts.size() ? wordStarts.at(w + 1).second : int(line.text.size());
            line.words.append({wordStarts.at(w).first, from, line.text.mid(from, to - from).trimmed()});
        }
        lines.append(line);
    }
    return lines;
}

QList<ReadAlongLine> shiftedLines(QList<ReadAlongLine> lines, double seconds)
{
    for (ReadAlongLine &line : lines) {
        line.seconds += seconds;
        for (ReadAlongWord &word : line.words)
            word.seconds += seconds;
    }
    return lines;
}
