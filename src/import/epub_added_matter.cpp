#include "import/epub_added_matter.h"

#include <algorithm>

namespace {

// Titles of a table of contents and of a description, as comparableText
// gives them.
const QStringList kContentsTitles = {QStringLiteral("содержание"), QStringLiteral("оглавление"),
                                     QStringLiteral("contents"), QStringLiteral("tableofcontents"),
                                     QStringLiteral("toc")};
const QStringList kDescriptionTitles = {QStringLiteral("annotation"), QStringLiteral("аннотация"),
                                        QStringLiteral("description"), QStringLiteral("описание"),
                                        QStringLiteral("окниге")};
const QString kEnglishAnnotation = QStringLiteral("annotation");
const QString kRussianAnnotation = QStringLiteral("Аннотация");

// A list of contents has at least this many entries.
constexpr qsizetype kContentsEntries = 3;
// A block, or a page, is contents when this share of its letters is in
// links into the book (page numbers and dots aside).
constexpr double kContentsLinkShare = 0.8;
// Paragraphs repeat the description when they hold this share of it.
constexpr double kRepeatedShare = 0.8;

bool isBlockElement(const xmlNode *node)
{
    const QString name = localName(node).toLower();
    for (const char *block :
         {"p", "div", "li", "dd", "dt", "td", "th", "blockquote", "section", "aside", "nav", "header", "footer"})
        if (name == QLatin1String(block))
            return true;
    return isHeadingElement(node);
}

bool isInternalLink(const xmlNode *node)
{
    if (localName(node).compare(u"a", Qt::CaseInsensitive) != 0)
        return false;
    const QString href = attributeValue(node, "href").trimmed();
    return !href.isEmpty() && !href.contains(u':');
}

bool isInside(const xmlNode *node, const xmlNode *ancestor)
{
    for (node = node->parent; node; node = node->parent)
        if (node == ancestor)
            return true;
    return false;
}

qsizetype letterCount(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

// A block that holds no other block: a paragraph, a list item, a heading.
struct TextBlock
{
    xmlNode *element = nullptr;
    QString letters;           // comparableText of its text
    qsizetype wordLetters = 0; // its letters without digits (page numbers)
    qsizetype linkLetters = 0; // of those, inside links into the book
    bool heading = false;

    bool isLinks() const { return wordLetters > 0 && linkLetters >= kContentsLinkShare * wordLetters; }
};

qsizetype linkLettersOf(xmlNode *block, qsizetype letters)
{
    for (const xmlNode *node = block; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        if (isInternalLink(node))
            return letters;
    qsizetype inLinks = 0;
    forEachElement(block, [&](xmlNode *element) {
        if (!isInternalLink(element))
            return true;
        inLinks += letterCount(collapsedText(element));
        return false;
    });
    return inLinks;
}

QList<TextBlock> textBlocks(const EpubPage &page)
{
    QList<xmlNode *> blocks;
    forEachElement(page.body(), [&](xmlNode *element) {
        if (isBlockElement(element))
            blocks.append(element);
        return true;
    });
    QList<TextBlock> result;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        // In document order a block's inner blocks follow it at once.
        if (i + 1 < blocks.size() && isInside(blocks[i + 1], blocks[i]))
            continue;
        const QString text = collapsedText(blocks[i]);
        TextBlock block{blocks[i], comparableText(text), letterCount(text), 0, isHeadingElement(blocks[i])};
        block.linkLetters = linkLettersOf(blocks[i], block.wordLetters);
        result.append(block);
    }
    return result;
}

bool hasLetters(const EpubPage &page)
{
    const xmlNode *body = page.body();
    return body && !comparableText(collapsedText(body)).isEmpty();
}

// Most of the page's words are links into the book.
bool isContentsPage(const EpubPage &page)
{
    qsizetype letters = 0;
    qsizetype linkLetters = 0;
    qsizetype entries = 0;
    for (const TextBlock &block : textBlocks(page)) {
        if (block.heading)
            continue;
        letters += block.wordLetters;
        linkLetters += block.linkLetters;
        entries += block.isLinks() ? 1 : 0;
    }
    return entries >= kContentsEntries && linkLetters >= kContentsLinkShare * letters;
}

// The last block before `index` that holds letters, or -1.
qsizetype previousWithLetters(const QList<TextBlock> &blocks, qsizetype index)
{
    for (qsizetype i = index - 1; i >= 0; --i)
        if (!blocks[i].letters.isEmpty())
            return i;
    return -1;
}

// Runs of at least three blocks of links (a list of contents inside a
// page), with the title above them.
void dropContentsLists(EpubPage &page)
{
    const QList<TextBlock> blocks = textBlocks(page);
    QList<xmlNode *> dropped;
    qsizetype i = 0;
    while (i < blocks.size()) {
        if (!blocks[i].isLinks() || blocks[i].heading) {
            ++i;
            continue;
        }
        qsizetype end = i;
        qsizetype entries = 0;
        while (end < blocks.size() && !blocks[end].heading
               && (blocks[end].isLinks() || blocks[end].letters.isEmpty())) {
            entries += blocks[end].isLinks() ? 1 : 0;
            ++end;
        }
        if (entries >= kContentsEntries) {
            const qsizetype title = previousWithLetters(blocks, i);
            if (title >= 0 && kContentsTitles.contains(blocks[title].letters))
                dropped.append(blocks[title].element);
            for (qsizetype k = i; k < end; ++k)
                dropped.append(blocks[k].element);
        }
        i = end;
    }
    for (xmlNode *element : std::as_const(dropped))
        page.detach(element);
}

// The blocks from `start` on that each say a part of the description,
// while they hold enough of it; empty when they do not.
QList<qsizetype> repeatAt(const QList<TextBlock> &blocks, qsizetype start, const QString &description)
{
    QList<qsizetype> run;
    qsizetype covered = 0;
    for (qsizetype i = start; i < blocks.size(); ++i) {
        if (blocks[i].letters.isEmpty())
            continue;
        if (blocks[i].heading || !description.contains(blocks[i].letters))
            break;
        run.append(i);
        covered += blocks[i].letters.size();
    }
    return covered >= kRepeatedShare * description.size() ? run : QList<qsizetype>();
}

// True when nothing but headings and `run` holds letters on the page.
bool isAllOfPage(const QList<TextBlock> &blocks, const QList<qsizetype> &run)
{
    for (qsizetype i = 0; i < blocks.size(); ++i)
        if (!blocks[i].heading && !blocks[i].letters.isEmpty() && !run.contains(i))
            return false;
    return true;
}

// The description said again in a page: under a description's title, or
// as a page of its own. True when it was found and taken out.
bool dropRepeatedDescription(EpubPage &page, const QString &description)
{
    const QList<TextBlock> blocks = textBlocks(page);
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        if (blocks[i].letters.isEmpty() || blocks[i].heading || !description.contains(blocks[i].letters))
            continue;
        const QList<qsizetype> run = repeatAt(blocks, i, description);
        if (run.isEmpty())
            continue;
        const qsizetype title = previousWithLetters(blocks, i);
        const bool titled = title >= 0 && kDescriptionTitles.contains(blocks[title].letters);
        if (!titled && !isAllOfPage(blocks, run))
            continue;
        if (titled)
            page.detach(blocks[title].element);
        for (const qsizetype k : run)
            page.detach(blocks[k].element);
        return true;
    }
    return false;
}

// "Annotation" over a description that is read only there.
void sayAnnotationInRussian(EpubPage &page)
{
    for (const TextBlock &block : textBlocks(page))
        if (block.heading && block.letters == kEnglishAnnotation)
            xmlNodeSetContent(block.element,
                              reinterpret_cast<const xmlChar *>(kRussianAnnotation.toUtf8().constData()));
}

} // namespace

void dropAddedMatter(std::vector<EpubPage> &pages, QList<EpubTocEntry> &toc, const QString &description,
                     const QString &navPath)
{
    const bool hasToc = !toc.isEmpty();
    // Pages before the book's first words: the cover, a title page of pictures.
    auto firstWords =
        std::find_if(pages.begin(), pages.end(), [](const EpubPage &page) { return page.inSpine && hasLetters(page); });
    pages.erase(std::remove_if(pages.begin(), firstWords, [](const EpubPage &page) { return page.inSpine; }),
                firstWords);
    if (hasToc)
        pages.erase(std::remove_if(pages.begin(), pages.end(),
                                   [&](const EpubPage &page) {
                                       return page.inSpine && (page.path == navPath || isContentsPage(page));
                                   }),
                    pages.end());

    const QString said = comparableText(description);
    bool repeatDropped = false;
    for (EpubPage &page : pages) {
        if (!page.inSpine)
            continue;
        if (hasToc)
            dropContentsLists(page);
        if (!said.isEmpty() && !repeatDropped)
            repeatDropped = dropRepeatedDescription(page, said);
        sayAnnotationInRussian(page);
    }

    toc.erase(std::remove_if(toc.begin(), toc.end(),
                             [&](const EpubTocEntry &entry) {
                                 const QString title = comparableText(entry.title);
                                 return kContentsTitles.contains(title)
                                        || (repeatDropped && kDescriptionTitles.contains(title));
                             }),
              toc.end());
    for (EpubTocEntry &entry : toc)
        if (comparableText(entry.title) == kEnglishAnnotation)
            entry.title = kRussianAnnotation;
}
