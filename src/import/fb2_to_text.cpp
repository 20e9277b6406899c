#include "import/fb2_to_text.h"

#include "import/book_line_breaks.h"
#include "import/fb2_description.h"
#include "import/fb2_file.h"
#include "import/html_converter.h"

#include "common/replace_all.h"
#include "common/user_file.h"

#include <QHash>
#include <QStringList>

namespace {

const QString kNoBreakSpace = QString(QChar(char16_t(0xA0)));

// After the first "<body" and the end of that tag, up to the next "</body";
// a truncated book gives what there is.
QString mainBody(const QString &text)
{
    const qsizetype body = text.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    if (body < 0)
        return {};
    const qsizetype start = text.indexOf(QLatin1Char('>'), body);
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(QStringLiteral("</body"), start, Qt::CaseInsensitive);
    return text.mid(start + 1, end < 0 ? -1 : end - start - 1);
}

// Note texts by their id (lower case): each "<section id=...>" of the notes
// body up to its "</section>", title and paragraph tags made spaces.
QHash<QString, QString> readNotes(const QString &text)
{
    QHash<QString, QString> notes;
    const QString open = QStringLiteral("<body name=\"notes\">");
    const qsizetype start = text.indexOf(open);
    if (start < 0)
        return notes;
    const qsizetype end = text.indexOf(QStringLiteral("</body>"), start, Qt::CaseInsensitive);
    const QString notesBody = text.mid(start + open.size(), end < 0 ? -1 : end - start - open.size());
    const QStringList pieces = notesBody.split(QStringLiteral("<section id="), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QString &piece = pieces[i];
        const QString id = piece.section(QLatin1Char('"'), 1, 1);
        const qsizetype textStart = piece.indexOf(QLatin1Char('>'));
        if (id.isEmpty() || textStart < 0)
            continue;
        QString note = piece.mid(textStart + 1).section(QStringLiteral("</section>"), 0, 0);
        for (const char *tag : {"<title>", "</title>", "<p>", "</p>"})
            note = replaceAll(note, QString::fromLatin1(tag), QStringLiteral(" "), true);
        if (!notes.contains(id.toLower()))
            notes.insert(id.toLower(), note);
    }
    return notes;
}

// A note is read out in full at this many of its links; later links only
// point back to it. Ordinary books link each note once or twice, but a
// hostile or careless one links a long note from every paragraph and would
// otherwise grow a thousandfold.
constexpr int kFullNoteReadings = 3;

// Puts "; [Примечание:" note "];" right after the start tag of every link to
// a note, before the link's visible text. Links carry other attributes after
// the reference (type="note"), so the tag's end is looked for, not assumed.
QString inlineNotes(const QString &body, const QHash<QString, QString> &notes)
{
    if (notes.isEmpty())
        return body;
    const QString reference = QStringLiteral("href=\"#");
    const QString shortReading = QStringLiteral(" см. выше");
    QHash<QString, int> readings;
    QString result;
    result.reserve(body.size());
    qsizetype from = 0;
    for (qsizetype at = body.indexOf(reference, 0, Qt::CaseInsensitive); at >= 0;
         at = body.indexOf(reference, at + 1, Qt::CaseInsensitive)) {
        const qsizetype idStart = at + reference.size();
        const qsizetype idEnd = body.indexOf(QLatin1Char('"'), idStart);
        if (idEnd < 0)
            break;
        const auto note = notes.constFind(body.mid(idStart, idEnd - idStart).toLower());
        const qsizetype tagEnd = body.indexOf(QLatin1Char('>'), idEnd);
        if (note == notes.cend() || tagEnd < 0)
            continue;
        result.append(QStringView(body).mid(from, tagEnd + 1 - from));
        const bool inFull = ++readings[note.key()] <= kFullNoteReadings;
        result.append(QStringLiteral("; [Примечание:") + (inFull ? *note : shortReading) + QStringLiteral("];"));
        from = tagEnd + 1;
        at = tagEnd;
    }
    result.append(QStringView(body).mid(from));
    return result;
}

} // namespace

QString descriptionHeadingLines(const Fb2Description &desc)
{
    const QString heading = QStringLiteral("\r\n<h2 align=\"center\">");
    QString page;
    if (!desc.firstNames.isEmpty()) {
        page += heading + desc.firstNames[0] + QLatin1Char(' ') + desc.lastNames[0];
        for (qsizetype i = 1; i < desc.firstNames.size(); ++i)
            page += QStringLiteral(",<br>") + desc.firstNames[i] + QLatin1Char(' ') + desc.lastNames[i];
        page += QStringLiteral("</h2><br>");
    }
    page += heading + desc.title + QStringLiteral("</h2><br>");
    if (!desc.seriesName.isEmpty())
        page += heading + desc.seriesName + QStringLiteral(" - ") + QString::number(desc.seriesNumber)
                + QStringLiteral("</h2><br>\r\n");
    // At most two empty lines between these lines: three begin a section
    // and would make a block of the annotation's heading alone.
    if (!desc.annotation.trimmed().isEmpty())
        page += QStringLiteral("\r\n<h3 align=\"left\">Аннотация.</h3><br>") + desc.annotation;
    return page;
}

namespace {

// The body's own title, before its first section, is the book's title
// page and no chapter: it goes without a section title's three empty
// lines, so it stays in the first block with the description, and its
// lines are not indented like paragraphs, so each ends with a pause.
QString bookTitleMarkup(const QString &body)
{
    const QString open = QStringLiteral("<title>");
    const QString close = QStringLiteral("</title>");
    const qsizetype title = body.indexOf(open);
    const qsizetype section = body.indexOf(QStringLiteral("<section"));
    const qsizetype end = title < 0 ? -1 : body.indexOf(close, title);
    if (end < 0 || (section >= 0 && section < title))
        return body;
    QString lines = body.mid(title + open.size(), end - title - open.size());
    lines = replaceAll(replaceAll(lines, QStringLiteral("<p>"), QStringLiteral("<div>"), true), QStringLiteral("</p>"),
                       QStringLiteral("</div>"), true);
    return body.left(title) + QStringLiteral("<h2 align=\"center\">") + lines + QStringLiteral("</h2>")
           + body.mid(end + close.size());
}

QString bodyMarkup(QString body)
{
    body = bookTitleMarkup(body);
    static const std::pair<const char *, const char *> kRules[] = {
        {"<text-author>", "<text-author><br>"},
        {"<empty-line/></epigraph>", "</epigraph>"},
        {"<empty-line/>", "<br>"},
        {"</epigraph>", "</epigraph><br>"},
        {"<poem>", "<poem><br>"},
        {"</v>", "</v><br>"},
        {"</stanza>", "</stanza><br>"},
        {"<title>", "<h2 align=\"center\"><br><br><br><br>"},
        {"</title>", "<br></h2>"},
        // A book's <style> marks foreign-language passages; to an HTML
        // parser it would be a style sheet, and the passage would vanish.
        {"<style ", "<span "},
        {"<style>", "<span>"},
        {"</style>", "</span>"},
    };
    for (const auto &[find, replacement] : kRules)
        body = replaceAll(body, QString::fromLatin1(find), QString::fromLatin1(replacement), true);
    return body;
}

} // namespace

QString cleanConvertedText(const QString &converted)
{
    QString text;
    text.reserve(converted.size() + converted.size() / 32);
    for (const QChar c : converted) {
        if (c == u'\n')
            continue;
        if (c == u'\r' || c.unicode() == 11)
            text.append(u"\r\n");
        else if (c.unicode() == 0xA0)
            text.append(u' ');
        else
            text.append(c);
    }
    return limitEmptyLines(text);
}

QString fb2Page(const QString &fileText)
{
    const Fb2Description desc = readFb2Description(fileText);
    const QString body = inlineNotes(mainBody(fileText), readNotes(fileText));
    QString page = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=")
                   + fb2DeclaredEncoding(fileText) + QStringLiteral("\"><Body>");
    page += descriptionHeadingLines(desc);
    page += bodyMarkup(body);
    return replaceAll(page, QStringLiteral("<p>"), QStringLiteral("<p>") + kNoBreakSpace + kNoBreakSpace, true);
}

QString fb2ToText(const QString &fileText, ReadingReport *report)
{
    return cleanConvertedText(htmlPageToText(fb2Page(fileText), report));
}

QString convertFb2File(const QString &path)
{
    return fb2ToText(decodeFb2File(UserFile::readBytes(path).value_or(QByteArray())));
}
