#include "import/fb2_description.h"

#include "import/fb2_file.h"
#include "import/placeholder_metadata.h"

#include "common/user_file.h"

#include <QRegularExpression>

namespace {

// The text between `open` and the next `close` after it (tag names without
// regard to case), or empty when either is missing.
QString between(const QString &text, const QString &open, const QString &close)
{
    const qsizetype start = text.indexOf(open, 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    const qsizetype from = start + open.size();
    const qsizetype end = text.indexOf(close, from, Qt::CaseInsensitive);
    return end < 0 ? QString() : text.mid(from, end - from);
}

QString attribute(const QString &tag, const QString &name)
{
    return decodeXmlReferences(between(tag, name + QStringLiteral("=\""), QStringLiteral("\"")));
}

// The first element `tag` of the text: its start tag (attributes and all)
// and what it holds up to its end tag; empty when missing or unclosed. A
// start tag with attributes counts (<date value="1928-05-01">, <genre
// match="90">), one that closes itself holds nothing.
struct Element
{
    QString startTag;
    QString content;
};

Element element(const QString &text, const QString &tag)
{
    const QString open = QLatin1Char('<') + tag;
    for (qsizetype start = text.indexOf(open, 0, Qt::CaseInsensitive); start >= 0;
         start = text.indexOf(open, start + 1, Qt::CaseInsensitive)) {
        const qsizetype after = start + open.size();
        if (after >= text.size() || !(text.at(after) == u'>' || text.at(after) == u'/' || text.at(after).isSpace()))
            continue; // <date> is no <datetime>
        const qsizetype tagEnd = text.indexOf(QLatin1Char('>'), after);
        if (tagEnd < 0)
            return {};
        const QString startTag = text.mid(start, tagEnd + 1 - start);
        if (startTag.endsWith(QStringLiteral("/>")))
            return {startTag, QString()};
        const qsizetype end = text.indexOf(QStringLiteral("</") + tag + QLatin1Char('>'), tagEnd, Qt::CaseInsensitive);
        return end < 0 ? Element() : Element{startTag, text.mid(tagEnd + 1, end - tagEnd - 1)};
    }
    return {};
}

QString field(const QString &text, const QString &tag)
{
    return decodeXmlReferences(element(text, tag).content);
}

// The date as written ("1 мая 1928"), else its machine form (value="1928-05-01").
QString dateField(const QString &titleInfo)
{
    const Element date = element(titleInfo, QStringLiteral("date"));
    const QString written = decodeXmlReferences(date.content).trimmed();
    return written.isEmpty() ? attribute(date.startTag, QStringLiteral(" value")).trimmed() : written;
}

void readAuthors(const QString &titleInfo, Fb2Description &description)
{
    const QStringList pieces = titleInfo.split(QStringLiteral("<author>"), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        // Only this author's own names: a translator's after "</author>"
        // must not stand in for a missing one.
        const QString author =
            pieces[i].section(QStringLiteral("</author>"), 0, 0, QString::SectionCaseInsensitiveSeps);
        const QString firstName = field(author, QStringLiteral("first-name"));
        const QString lastName = field(author, QStringLiteral("last-name"));
        if (isPlaceholderName(firstName + u' ' + lastName))
            continue;
        description.firstNames.append(firstName);
        description.lastNames.append(lastName);
    }
}

void readSeries(const QString &titleInfo, Fb2Description &description)
{
    const qsizetype start = titleInfo.indexOf(QStringLiteral("<sequence"), 0, Qt::CaseInsensitive);
    if (start < 0)
        return;
    const qsizetype end = titleInfo.indexOf(QLatin1Char('>'), start);
    const QString tag = titleInfo.mid(start, end < 0 ? -1 : end - start + 1);
    description.seriesName = attribute(tag, QStringLiteral(" name"));
    description.seriesNumber = attribute(tag, QStringLiteral(" number")).trimmed().toInt();
}

// The annotation's markup as the plain text of the information field: a
// line per paragraph (or verse line), an empty line for <empty-line/>, the
// text of inline markup (<emphasis>, <strong>, <sup>, links) without its
// tags, and no note references: a link into the book ("#n1") is a note's
// number, which means nothing in the field.
QString annotationText(const QString &markup)
{
    static const QRegularExpression noteReference(QStringLiteral("\\s*<a\\b[^>]*href\\s*=\\s*[\"']#[^>]*>.*?</a\\s*>"),
                                                  QRegularExpression::CaseInsensitiveOption
                                                      | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression lineEnd(QStringLiteral("</(p|v|subtitle|text-author)\\s*>|<(empty-line|br)\\s*/?>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString text = markup;
    text.replace(noteReference, QString());
    // Line breaks of the file itself are blanks, as everywhere in XML.
    text.replace(blanks, QStringLiteral(" "));
    text.replace(lineEnd, QStringLiteral("\n"));
    text.replace(tag, QString());
    QStringList lines = decodeXmlReferences(text).split(u'\n');
    for (QString &line : lines)
        line = line.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    while (!lines.isEmpty() && lines.first().isEmpty())
        lines.removeFirst();
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

Fb2Description readFb2Description(const QString &fileText)
{
    const QString titleInfo =
        between(between(fileText, QStringLiteral("<description>"), QStringLiteral("</description>")),
                QStringLiteral("<title-info>"), QStringLiteral("</title-info>"));
    Fb2Description description;
    description.title = field(titleInfo, QStringLiteral("book-title"));
    if (isPlaceholderName(description.title))
        description.title.clear();
    readAuthors(titleInfo, description);
    readSeries(titleInfo, description);
    description.genre = field(titleInfo, QStringLiteral("genre"));
    description.annotation = between(titleInfo, QStringLiteral("<annotation>"), QStringLiteral("</annotation>"));
    description.date = dateField(titleInfo);
    return description;
}

BookInformation fb2Information(const Fb2Description &description)
{
    QString authors;
    for (qsizetype i = 0; i < description.firstNames.size(); ++i)
        authors += description.firstNames[i] + QLatin1Char(' ') + description.lastNames[i] + QStringLiteral(",\r\n");
    authors.chop(3);
    return {description.title, description.seriesName, QString::number(description.seriesNumber),
            authors,           description.genre,      annotationText(description.annotation),
            description.date};
}

BookInformation getFbinfo(const QString &fbfile)
{
    return fb2Information(readFb2Description(decodeFb2File(UserFile::readBytes(fbfile).value_or(QByteArray()))));
}

QString decodeXmlReferences(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = text.at(i) == u'&' ? text.indexOf(QLatin1Char(';'), i) : -1;
        if (end < 0 || end - i > 10) {
            result.append(text.at(i++));
            continue;
        }
        const QStringView name = QStringView(text).mid(i + 1, end - i - 1);
        char32_t code = 0;
        if (name == u"amp")
            code = u'&';
        else if (name == u"lt")
            code = u'<';
        else if (name == u"gt")
            code = u'>';
        else if (name == u"quot")
            code = u'"';
        else if (name == u"apos")
            code = u'\'';
        else if (name.startsWith(u"#x") || name.startsWith(u"#X"))
            code = name.mid(2).toUInt(nullptr, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt();
        if (code == 0 || code > 0x10FFFF) {
            result.append(text.at(i++));
            continue;
        }
        result.append(QString::fromUcs4(&code, 1));
        i = end + 1;
    }
    return result;
}
