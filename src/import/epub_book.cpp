#include "import/epub_book.h"

#include "import/epub_added_matter.h"
#include "import/epub_headings.h"
#include "import/epub_navigation.h"
#include "import/epub_notes.h"
#include "import/epub_package.h"
#include "import/epub_page.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"
#include "import/html_converter.h"

#include <QRegularExpression>

#include <libxml/HTMLtree.h>

namespace {

const QString kTwoNoBreakSpaces = QStringLiteral("\u00A0\u00A0");

// What the pages of a book hold but a listener cannot hear.
bool isDropped(const xmlNode *node)
{
    const QString name = localName(node).toLower();
    return name == u"svg" || name == u"img" || name == u"image" || name == u"object" || name == u"video"
           || name == u"audio" || name == u"math";
}

// Paragraphs begin with two no-break spaces, as FictionBook paragraphs do;
// images go.
void prepareParagraphs(EpubPage &page)
{
    QList<xmlNode *> paragraphs;
    QList<xmlNode *> dropped;
    forEachElement(page.body(), [&](xmlNode *element) {
        if (isDropped(element)) {
            dropped.append(element);
            return false;
        }
        if (isHeadingElement(element))
            return false;
        if (localName(element).compare(u"p", Qt::CaseInsensitive) == 0)
            paragraphs.append(element);
        return true;
    });
    for (xmlNode *node : std::as_const(dropped))
        page.detach(node);
    const QByteArray spaces = kTwoNoBreakSpaces.toUtf8();
    for (xmlNode *paragraph : std::as_const(paragraphs)) {
        xmlNode *indent = xmlNewDocText(page.doc.get(), reinterpret_cast<const xmlChar *>(spaces.constData()));
        if (paragraph->children)
            xmlAddPrevSibling(paragraph->children, indent);
        else
            xmlAddChild(paragraph, indent);
    }
}

// The page's body as markup again, UTF-8.
QByteArray bodyMarkup(const EpubPage &page)
{
    xmlNode *body = page.body();
    if (!body)
        return {};
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    for (xmlNode *child = body->children; child; child = child->next)
        htmlNodeDump(buffer.get(), page.doc.get(), child);
    return QByteArray(reinterpret_cast<const char *>(xmlBufferContent(buffer.get())), xmlBufferLength(buffer.get()));
}

// The description's text: its own markup (many books escape HTML there)
// read as a page.
QString descriptionText(const QString &description)
{
    return description.contains(u'<') ? htmlPageToText(description) : description;
}

// The description's text as annotation markup, each line a paragraph. Only
// "<" is escaped: the annotation field shows the markup's text as it is.
QString annotationMarkup(const QString &text)
{
    QString markup;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\r\n\v]+")), Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty())
            markup += QStringLiteral("<p>") + QString(line.trimmed()).replace(u'<', QStringLiteral("&lt;"))
                      + QStringLiteral("</p>\r\n");
    return markup.trimmed();
}

QList<EpubTocEntry> tableOfContents(ZipArchive &archive, const EpubPackage &package)
{
    if (!package.navPath.isEmpty())
        if (const auto nav = archive.read(package.navPath)) {
            const QList<EpubTocEntry> entries = readNavDocument(package.navPath, decodeFb2File(*nav));
            if (!entries.isEmpty())
                return entries;
        }
    if (!package.ncxPath.isEmpty())
        if (const auto ncx = archive.read(package.ncxPath))
            return readNcx(package.ncxPath, *ncx);
    return {};
}

// The pages in reading order, then those outside it (notes live there);
// a page that is missing or damaged is skipped, an archive beyond its
// limits stops the reading.
bool readPages(ZipArchive &archive, const EpubPackage &package, std::vector<EpubPage> &pages)
{
    const auto read = [&](const QString &path, bool inSpine) {
        const auto bytes = archive.read(path);
        if (bytes)
            pages.push_back(makeEpubPage(path, decodeFb2File(*bytes), inSpine));
        return archive.problem() != ZipProblem::TooLarge;
    };
    for (const QString &path : package.spine)
        if (!read(path, true))
            return false;
    for (const QString &path : package.otherPages)
        if (!read(path, false))
            return false;
    return true;
}

EpubBook failed(EpubProblem problem, ZipProblem archiveProblem = ZipProblem::None)
{
    EpubBook book;
    book.problem = problem;
    book.archiveProblem = archiveProblem;
    return book;
}

} // namespace

EpubBook readEpubBook(const QString &path, const ZipLimits &limits)
{
    ZipArchive archive(path, limits);
    if (!archive.isOpen())
        return failed(EpubProblem::Archive, archive.problem());
    if (isProtectedEpub(archive))
        return failed(EpubProblem::Protected);
    const QString opfPath = findPackagePath(archive);
    const auto opf = opfPath.isEmpty() ? std::nullopt : archive.read(opfPath);
    if (!opf)
        return archive.problem() == ZipProblem::TooLarge ? failed(EpubProblem::Archive, ZipProblem::TooLarge)
                                                         : failed(EpubProblem::NoPackage);
    const EpubPackage package = readEpubPackage(opfPath, *opf);
    std::vector<EpubPage> pages;
    if (!readPages(archive, package, pages))
        return failed(EpubProblem::Archive, ZipProblem::TooLarge);
    if (pages.empty() || package.spine.isEmpty())
        return failed(EpubProblem::NoPackage);

    const QString description = descriptionText(package.description.annotation);
    QList<EpubTocEntry> toc = tableOfContents(archive, package);
    dropAddedMatter(pages, toc, description, package.navPath);
    setEpubHeadings(pages, toc);
    inlineEpubNotes(pages);

    EpubBook book;
    book.description = package.description;
    book.description.annotation = annotationMarkup(description);
    // One page of UTF-8 bytes: a book's text is not converted back and forth.
    QByteArray page =
        "<html><head><meta charset=\"utf-8\"></head><body>" + descriptionHeadingLines(book.description).toUtf8();
    for (EpubPage &epubPage : pages) {
        if (!epubPage.inSpine || epubPage.notesPage)
            continue;
        prepareParagraphs(epubPage);
        page += bodyMarkup(epubPage) + '\n';
    }
    book.text = cleanConvertedText(htmlToText(page + "</body></html>"));
    if (!package.coverPath.isEmpty())
        book.coverImage = archive.read(package.coverPath);
    return book;
}
