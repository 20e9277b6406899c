#include "import/book_cover.h"

#include "import/fb2_description.h"

namespace {

bool isWholeJpeg(const QByteArray &bytes)
{
    // Start of image, then an end-of-image marker (cameras may add bytes
    // after it).
    return bytes.startsWith("\xFF\xD8\xFF") && bytes.lastIndexOf("\xFF\xD9") > 2;
}

bool isWholePng(const QByteArray &bytes)
{
    return bytes.startsWith("\x89PNG\r\n\x1A\n") && bytes.mid(12, 4) == "IHDR" && bytes.lastIndexOf("IEND") > 16;
}

// The value of `name="..."` (or '...') inside the tag text.
QString tagAttribute(const QString &tag, const QString &name)
{
    for (const QChar quote : {u'"', u'\''}) {
        const QString open = name + u'=' + quote;
        const qsizetype start = tag.indexOf(open, 0, Qt::CaseInsensitive);
        if (start < 0)
            continue;
        const qsizetype from = start + open.size();
        const qsizetype end = tag.indexOf(quote, from);
        if (end > 0)
            return decodeXmlReferences(tag.mid(from, end - from));
    }
    return {};
}

// The id the <coverpage> image links to ("#cover.jpg" -> "cover.jpg").
QString coverId(const QString &fileText)
{
    const qsizetype coverpage = fileText.indexOf(QStringLiteral("<coverpage"), 0, Qt::CaseInsensitive);
    const qsizetype descriptionEnd = fileText.indexOf(QStringLiteral("</description"), 0, Qt::CaseInsensitive);
    if (coverpage < 0 || (descriptionEnd >= 0 && coverpage > descriptionEnd))
        return {};
    const qsizetype image = fileText.indexOf(QStringLiteral("<image"), coverpage, Qt::CaseInsensitive);
    const qsizetype tagEnd = image < 0 ? -1 : fileText.indexOf(u'>', image);
    if (tagEnd < 0)
        return {};
    const QString tag = fileText.mid(image, tagEnd - image);
    // The link's namespace prefix is the book's choice ("l:", "xlink:").
    const qsizetype href = tag.indexOf(QStringLiteral("href="), 0, Qt::CaseInsensitive);
    if (href < 0)
        return {};
    const QString value = tagAttribute(tag.mid(href), QStringLiteral("href"));
    return value.startsWith(u'#') ? value.mid(1) : QString();
}

} // namespace

std::optional<BookCover> coverFromImage(const QByteArray &bytes)
{
    if (isWholeJpeg(bytes))
        return BookCover{bytes, QStringLiteral("jpg")};
    if (isWholePng(bytes))
        return BookCover{bytes, QStringLiteral("png")};
    return std::nullopt;
}

std::optional<QByteArray> fb2CoverImage(const QString &fileText)
{
    const QString id = coverId(fileText);
    if (id.isEmpty())
        return std::nullopt;
    for (qsizetype at = fileText.indexOf(QStringLiteral("<binary"), 0, Qt::CaseInsensitive); at >= 0;
         at = fileText.indexOf(QStringLiteral("<binary"), at + 7, Qt::CaseInsensitive)) {
        const qsizetype tagEnd = fileText.indexOf(u'>', at);
        if (tagEnd < 0)
            break;
        if (tagAttribute(fileText.mid(at, tagEnd - at), QStringLiteral(" id")) != id)
            continue;
        const qsizetype end = fileText.indexOf(QStringLiteral("</binary"), tagEnd, Qt::CaseInsensitive);
        return QByteArray::fromBase64(
            QStringView(fileText).mid(tagEnd + 1, end < 0 ? -1 : end - tagEnd - 1).toLatin1());
    }
    return QByteArray(); // named, but not there: a broken cover
}
