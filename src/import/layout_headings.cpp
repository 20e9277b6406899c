#include "import/layout_headings.h"

#include "import/chapter_number.h"
#include "import/line_cleanup.h"
#include "import/text_normalisation.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// A title is at most this long; a longer line is a paragraph.
constexpr qsizetype kMaxTitleChars = 100;
constexpr qsizetype kMaxTitleWords = 12;
// "!" or "?" ends a title of at most this many words ("Стучит!", "Что делать?").
constexpr qsizetype kMaxExclaimedTitleWords = 2;
// Text after a title: a run of at least two lines, or one line this long.
constexpr qsizetype kTextAfterTitleChars = 300;
// A run of lines this short, and no more than kMaxStanzaLines of them, is a
// stanza or an epigraph: a lone line beside it belongs to it.
constexpr qsizetype kVerseLineChars = 60;
constexpr qsizetype kMaxStanzaLines = 8;
// A line of its own after a title is text when it is a sentence of at
// least this many words (a one-line epigraph), not a verse line.
constexpr qsizetype kMinSentenceWords = 3;
// Share of sentence-ending lines followed by an empty line from which a
// book's paragraphs count as set apart.
constexpr double kSetApartShare = 0.5;
// A list of contents counts when it names at least this many lines of the
// text, and at least half of its entries do.
constexpr int kMinContentsMatches = 3;

QString trimmed(const QString &line)
{
    return line.trimmed();
}

qsizetype wordCount(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts).size();
}

bool startsWithDash(const QString &text)
{
    static const QString kDashes = QStringLiteral("-\u2013\u2014\u2012\u2015");
    return !text.isEmpty() && kDashes.contains(text.front());
}

bool hasLetter(const QString &text)
{
    for (const QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

// The first letter or digit, or a null character.
QChar firstLetterOrDigit(const QString &text)
{
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            return c;
    return QChar();
}

// A line that says when or where and when: "1852", "Спасское, 1852 г",
// "12 марта 1850", "Март 1847 года".
bool isDate(const QString &text)
{
    static const QRegularExpression year(QStringLiteral("(^|\\D)(1[0-9]{3}|20[0-9]{2})(\\D|$)"));
    static const QRegularExpression dayAndMonth(
        QStringLiteral("(^|\\s)\\d{1,2}\\s+(января|февраля|марта|апреля|мая|июня|июля|августа|сентября|октября|"
                       "ноября|декабря)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return (year.match(text).hasMatch() && wordCount(text) <= 5) || dayAndMonth.match(text).hasMatch();
}

// Only numbers, Roman numerals and marks: "12", "- 12 -", "XIV.", "[3]".
bool isNumberLine(const QString &text)
{
    static const QRegularExpression marks(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
    const QStringList words = QString(text).replace(marks, QStringLiteral(" ")).split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    for (const QString &word : words) {
        bool digits = true;
        for (const QChar c : word)
            digits = digits && c.isDigit();
        if (!digits && !isRomanNumeral(word))
            return false;
    }
    return true;
}

// A run of non-empty lines.
struct LineRun
{
    qsizetype first = 0;
    qsizetype last = 0;
    qsizetype characters = 0;
    qsizetype longest = 0;
    bool dialogue = false; // a line of it opens with a dash

    qsizetype size() const { return last - first + 1; }
    // Short lines without replies: verse, or an epigraph.
    bool stanza() const { return size() >= 2 && size() <= kMaxStanzaLines && longest <= kVerseLineChars && !dialogue; }
    // Text that a title can stand before: more than a line, a long line, or
    // a reply, a sentence or a line of prose (no verse line, no number).
    bool textAfterTitle(const QStringList &lines) const
    {
        if (size() >= 2 || characters >= kTextAfterTitleChars)
            return true;
        const QString line = trimmed(lines[first]);
        return startsWithDash(line) || line.size() > kVerseLineChars
               || (endsSentence(line) && wordCount(line) >= kMinSentenceWords);
    }
    // A short line of its own that ends a sentence: after a title, a
    // one-line epigraph, which the lone line after it signs.
    bool quotation(const QStringList &lines) const
    {
        return size() == 1 && characters < kTextAfterTitleChars && endsSentence(lines[first]);
    }
};

QList<LineRun> runsOf(const QStringList &lines)
{
    QList<LineRun> runs;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isBlank(lines[i]))
            continue;
        const qsizetype length = trimmed(lines[i]).size();
        if (runs.isEmpty() || runs.last().last != i - 1)
            runs.append({i, i, 0, 0});
        LineRun &run = runs.last();
        run.last = i;
        run.characters += length;
        run.longest = std::max(run.longest, length);
        run.dialogue = run.dialogue || startsWithDash(trimmed(lines[i]));
    }
    return runs;
}

// Titles by layout in a book whose paragraphs follow each other.
void markLoneTitles(const QStringList &lines, QList<bool> &headings)
{
    const QList<LineRun> runs = runsOf(lines);
    // The book's first line is its own title (or author), which the first
    // block is named after anyway.
    for (qsizetype r = 1; r + 1 < runs.size(); ++r) {
        const LineRun &run = runs[r];
        if (run.size() != 1 || !runs[r + 1].textAfterTitle(lines) || !looksLikeTitle(lines[run.first]))
            continue;
        // A lone line after a stanza or an epigraph is its last line or its
        // author, unless the book sets it further off before than after.
        const LineRun &before = runs[r - 1];
        const qsizetype emptyBefore = run.first - before.last - 1;
        const qsizetype emptyAfter = runs[r + 1].first - run.last - 1;
        const bool afterTitle = r >= 2 && runs[r - 2].size() == 1 && looksLikeTitle(lines[runs[r - 2].first]);
        if ((before.stanza() || (afterTitle && before.quotation(lines))) && emptyBefore <= emptyAfter)
            continue;
        headings[run.first] = true;
    }
}

// How an entry of contents and a line of the text are compared.
QString comparable(const QString &line)
{
    QString key = trimmed(line).toLower();
    key.replace(u'ё', u'е');
    key = collapseSpaces(key);
    while (key.endsWith(u'.') || key.endsWith(u' '))
        key.chop(1);
    return key;
}

bool isContentsCaption(const QString &line)
{
    const QString key = comparable(QString(line).remove(u':'));
    return key == u"содержание" || key == u"оглавление";
}

// An entry with its page number ("Бирюк ........ 112") as the text has it.
QString withoutPageNumber(const QString &entry)
{
    static const QRegularExpression page(QStringLiteral("(\\s*[.\u2026_\u00b7]{2,}\\s*|\\s+)\\d{1,4}\\s*$"));
    return QString(entry).remove(page);
}

// The lines the book's contents names, the first outside the list after it
// (before it, for a list at the end).
void markContentsTitles(const QStringList &lines, QList<bool> &headings)
{
    qsizetype caption = -1;
    for (qsizetype i = 0; i < lines.size() && caption < 0; ++i)
        if (isContentsCaption(lines[i]))
            caption = i;
    if (caption < 0)
        return;
    QStringList entries;
    qsizetype end = caption + 1;
    for (; end < lines.size(); ++end) {
        const QString line = trimmed(lines[end]);
        if (line.isEmpty())
            continue;
        if (line.size() > kMaxTitleChars || entries.contains(comparable(line)))
            break;
        entries.append(comparable(line));
    }
    QHash<QString, QList<qsizetype>> places;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if ((i < caption || i >= end) && !isBlank(lines[i]) && trimmed(lines[i]).size() <= kMaxTitleChars)
            places[comparable(lines[i])].append(i);
    QList<qsizetype> found;
    for (const QString &entry : entries) {
        QList<qsizetype> at = places.value(entry);
        if (at.isEmpty())
            at = places.value(comparable(withoutPageNumber(entry)));
        if (at.isEmpty())
            continue;
        qsizetype chosen = at.first();
        for (const qsizetype place : at)
            if (place >= end) {
                chosen = place;
                break;
            }
        found.append(chosen);
    }
    if (found.size() < kMinContentsMatches || found.size() * 2 < entries.size())
        return;
    for (const qsizetype place : found)
        headings[place] = true;
}

} // namespace

QString layoutHeadingHelp()
{
    return QStringLiteral("{заголовок} - заголовок без номера: короткая строка между пустыми строками в книге, "
                          "где абзацы идут без пустых строк (не реплика, не стих, не дата, не номер страницы), "
                          "или строка, названная в оглавлении книги");
}

bool looksLikeTitle(const QString &line)
{
    const QString text = collapseSpaces(trimmed(line));
    if (text.isEmpty() || text.size() > kMaxTitleChars || !hasLetter(text) || startsWithDash(text))
        return false;
    const QChar first = firstLetterOrDigit(text);
    if (first.isNull() || first.isLower())
        return false;
    const qsizetype words = wordCount(text);
    if (words > kMaxTitleWords || isDate(text) || isNumberLine(text))
        return false;
    // The last mark, after closing quotes and brackets and a note's number
    // ("Plaisir![51]").
    static const QRegularExpression noteMark(QStringLiteral("\\s*[\\[{]\\d{1,4}[\\]}]$"));
    const QString marked = QString(text).remove(noteMark);
    qsizetype end = marked.size();
    while (end > 0 && QStringLiteral("\"»)]").contains(marked.at(end - 1)))
        --end;
    const QChar last = end > 0 ? marked.at(end - 1) : QChar();
    if (last == u'!' || last == u'?')
        return words <= kMaxExclaimedTitleWords;
    return !QStringLiteral(".,;:…").contains(last);
}

bool paragraphsSetApart(const QStringList &lines)
{
    // Lines of prose only: a stanza's last line is followed by an empty one
    // in any book.
    qsizetype sentenceEnds = 0, setApart = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (trimmed(lines[i]).size() <= kVerseLineChars || !endsSentence(lines[i]))
            continue;
        ++sentenceEnds;
        if (isBlank(lines[i + 1]))
            ++setApart;
    }
    return sentenceEnds > 0 && double(setApart) >= kSetApartShare * double(sentenceEnds);
}

QList<bool> layoutHeadings(const QStringList &lines)
{
    QList<bool> headings(lines.size(), false);
    if (!paragraphsSetApart(lines))
        markLoneTitles(lines, headings);
    markContentsTitles(lines, headings);
    return headings;
}
