#include "import/pdf_text.h"

#include "import/line_cleanup.h"
#include "import/text_normalisation.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

// Lines at the top and at the bottom of a page where headers, footers and
// page numbers stand.
constexpr qsizetype kEdgeLines = 2;
// A line that stands at a page's edge on at least half of the pages (and on
// at least kMinRepeats of them) is a running header or footer.
constexpr qsizetype kMinRepeats = 3;
// A line shorter than this share of the book's usual line ends its
// paragraph when it ends a sentence.
constexpr double kShortLineShare = 0.8;
// Words that follow a hyphen in Russian ("кто-нибудь", "всё-таки"): a
// line broken there keeps the hyphen.
const QStringList kHyphenParticles = {QStringLiteral("то"),   QStringLiteral("либо"), QStringLiteral("нибудь"),
                                      QStringLiteral("таки"), QStringLiteral("ка"),   QStringLiteral("де"),
                                      QStringLiteral("с")};

QStringList linesOf(const QString &page)
{
    QStringList lines = page.split(u'\n');
    for (QString &line : lines) {
        line.remove(u'\r');
        line = line.trimmed();
    }
    return lines;
}

// A line with its digits as "#" and its spaces single: the same header on
// every page, whatever page number it carries.
QString furnitureKey(const QString &line)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    return collapseSpaces(QString(line).replace(digits, QStringLiteral("#")).trimmed());
}

bool isPageNumber(const QString &line)
{
    static const QRegularExpression number(
        QStringLiteral("^(стр\\.?|страница|с\\.)?\\s*[-–—]?\\s*\\d{1,4}\\s*[-–—]?(\\s*(из|/)\\s*\\d{1,4})?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return number.match(line.trimmed()).hasMatch();
}

// Indexes of a page's first and last non-empty lines, kEdgeLines of each.
QList<qsizetype> edgeLines(const QStringList &lines)
{
    QList<qsizetype> filled;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            filled.append(i);
    QList<qsizetype> edges;
    for (qsizetype k = 0; k < filled.size(); ++k)
        if (k < kEdgeLines || k >= filled.size() - kEdgeLines)
            edges.append(filled[k]);
    return edges;
}

bool endsWithHyphen(const QString &line)
{
    return line.size() >= 2 && (line.back() == u'-' || line.back() == QChar(0x00AD))
           && line.at(line.size() - 2).isLetter();
}

QString firstWord(const QString &line)
{
    qsizetype end = 0;
    while (end < line.size() && line.at(end).isLetter())
        ++end;
    return line.left(end).toLower();
}

bool startsDialogue(const QString &line)
{
    return line.startsWith(u'—') || line.startsWith(u'–') || line.startsWith(QLatin1String("- "));
}

QString headingKey(const QString &line)
{
    return collapseSpaces(line.trimmed()).toLower();
}

// The length of a full line of the book: the longest lines are its width,
// and most lines of running text come close to it.
qsizetype usualLineLength(const QStringList &lines)
{
    QList<qsizetype> lengths;
    for (const QString &line : lines)
        if (!line.isEmpty())
            lengths.append(line.size());
    if (lengths.isEmpty())
        return 0;
    std::sort(lengths.begin(), lengths.end());
    return lengths[lengths.size() * 3 / 4];
}

class ParagraphJoiner
{
public:
    ParagraphJoiner(const QStringList &outlineTitles, qsizetype usualLength)
        : m_shortLine(qsizetype(double(usualLength) * kShortLineShare))
    {
        for (const QString &title : outlineTitles)
            m_headings.insert(headingKey(title), true);
    }

    void add(const QString &line)
    {
        if (line.isEmpty()) {
            m_emptyBefore = true;
            return;
        }
        if (m_headings.contains(headingKey(line))) {
            endParagraph();
            // Headings in a row ("Глава первая", "Дурное поведение") share their empty lines.
            const bool setApart = m_text.isEmpty() || m_text.endsWith(QLatin1String("\r\n\r\n"));
            m_text += (setApart ? QString() : QStringLiteral("\r\n")) + line + QStringLiteral("\r\n\r\n");
            m_emptyBefore = false;
            return;
        }
        if (!m_paragraph.isEmpty() && breaksBefore(line))
            endParagraph();
        if (m_paragraph.isEmpty())
            m_paragraph = line;
        else if (endsWithHyphen(m_paragraph) && line.at(0).isLower()) {
            if (!kHyphenParticles.contains(firstWord(line)))
                m_paragraph.chop(1);
            m_paragraph += line;
        } else {
            m_paragraph += u' ' + line;
        }
        m_lastLine = line;
        m_emptyBefore = false;
    }

    QString finish()
    {
        endParagraph();
        return m_text;
    }

private:
    bool breaksBefore(const QString &line) const
    {
        if (endsWithHyphen(m_lastLine) && line.at(0).isLower())
            return false;
        const bool sentenceEnd = endsSentence(m_lastLine);
        if (m_emptyBefore && (sentenceEnd || !line.at(0).isLower()))
            return true;
        if (startsDialogue(line) && (sentenceEnd || m_lastLine.endsWith(u':')))
            return true;
        return sentenceEnd && m_lastLine.size() < m_shortLine;
    }

    void endParagraph()
    {
        if (!m_paragraph.isEmpty())
            m_text += m_paragraph + QStringLiteral("\r\n");
        m_paragraph.clear();
        m_lastLine.clear();
    }

    QHash<QString, bool> m_headings;
    qsizetype m_shortLine;
    QString m_text;
    QString m_paragraph;
    QString m_lastLine;
    bool m_emptyBefore = false;
};

QString decodeEntities(QString text)
{
    static const std::pair<const char *, const char *> kEntities[] = {{"&lt;", "<"},   {"&gt;", ">"},  {"&quot;", "\""},
                                                                      {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto &[entity, character] : kEntities)
        text.replace(QLatin1String(entity), QLatin1String(character));
    return text;
}

} // namespace

QStringList pdfPages(const QString &pdftotextOutput)
{
    QStringList pages = pdftotextOutput.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList withoutPageFurniture(const QStringList &pages)
{
    QList<QStringList> pageLines;
    QHash<QString, qsizetype> pagesWith; // edge line key -> pages it stands on
    for (const QString &page : pages) {
        pageLines.append(linesOf(page));
        QStringList seen;
        for (const qsizetype i : edgeLines(pageLines.last())) {
            const QString key = furnitureKey(pageLines.last()[i]);
            if (!seen.contains(key)) {
                seen.append(key);
                ++pagesWith[key];
            }
        }
    }
    const qsizetype repeated = std::max(kMinRepeats, (pages.size() + 1) / 2); // half, rounded up
    QStringList cleaned;
    for (QStringList &lines : pageLines) {
        const QList<qsizetype> edges = edgeLines(lines);
        for (auto edge = edges.crbegin(); edge != edges.crend(); ++edge)
            if (isPageNumber(lines[*edge]) || pagesWith.value(furnitureKey(lines[*edge])) >= repeated)
                lines.removeAt(*edge);
        cleaned.append(lines.join(u'\n'));
    }
    return cleaned;
}

QString pdfBookText(const QStringList &pages, const QStringList &outlineTitles)
{
    QStringList all;
    for (const QString &page : pages)
        all += linesOf(page);
    ParagraphJoiner joiner(outlineTitles, usualLineLength(all));
    for (const QString &page : pages) {
        // A page's own empty lines part its paragraphs; the page break
        // itself does not (a paragraph goes on over the page).
        QStringList lines = linesOf(page);
        while (!lines.isEmpty() && lines.first().isEmpty())
            lines.removeFirst();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (const QString &line : lines)
            joiner.add(line);
    }
    return joiner.finish();
}

QStringList pdfOutlineTitles(const QString &pdftohtmlXml)
{
    static const QRegularExpression item(QStringLiteral("<item[^>]*>([^<]*)</item>"));
    QStringList titles;
    const qsizetype outline = pdftohtmlXml.indexOf(QLatin1String("<outline"));
    if (outline < 0)
        return titles;
    auto matches = item.globalMatch(pdftohtmlXml, outline);
    while (matches.hasNext()) {
        const QString title = collapseSpaces(decodeEntities(matches.next().captured(1)).trimmed());
        if (!title.isEmpty())
            titles.append(title);
    }
    return titles;
}

PdfMetadata pdfMetadata(const QString &pdfinfoOutput)
{
    PdfMetadata metadata;
    for (const QString &line : pdfinfoOutput.split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QString key = line.left(colon);
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("Title"))
            metadata.title = value;
        else if (key == QLatin1String("Author"))
            metadata.author = value;
        else if (key == QLatin1String("Pages"))
            metadata.pages = value.toInt();
    }
    return metadata;
}

bool pdfHasNoText(const QString &pdftotextOutput)
{
    for (const QChar c : pdftotextOutput)
        if (c.isLetter())
            return false;
    return true;
}
