#include "import/epub_notes.h"

#include "import/epub_navigation.h"
#include "import/epub_package.h"
#include "import/html_converter.h"

#include <QRegularExpression>
#include <QSet>

#include <libxml/HTMLtree.h>

#include <memory>

namespace {

const QString kNotePrefix = QStringLiteral("; [Примечание:");
const QString kNoteSuffix = QStringLiteral("];");

QString semanticType(const xmlNode *node)
{
    return attributeValue(node, "type") + u' ' + attributeValue(node, "role");
}

bool isNoteElement(const xmlNode *node)
{
    const QString type = semanticType(node);
    for (const char *word : {"footnote", "endnote", "rearnote", "note", "doc-footnote", "doc-endnote"})
        if (hasWord(type, QString::fromLatin1(word)))
            return true;
    return false;
}

bool isNotesContainer(const xmlNode *node)
{
    const QString type = semanticType(node);
    for (const char *word : {"footnotes", "endnotes", "rearnotes", "doc-endnotes"})
        if (hasWord(type, QString::fromLatin1(word)))
            return true;
    return false;
}

bool isNoteMark(const QString &text)
{
    static const QRegularExpression mark(QStringLiteral(R"(^[\[\(\{]?\s*(\d{1,4}|\*{1,4}|[a-zа-я])\s*[\]\)\}]?$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return mark.match(text).hasMatch();
}

bool isBlock(const xmlNode *node)
{
    const QString name = localName(node).toLower();
    for (const char *block : {"p", "div", "li", "aside", "section", "dd", "dt", "td", "blockquote", "body"})
        if (name == QLatin1String(block))
            return true;
    return isHeadingElement(node);
}

xmlNode *findHeading(xmlNode *node)
{
    if (isHeadingElement(node))
        return node;
    xmlNode *heading = nullptr;
    forEachElement(node, [&](xmlNode *element) {
        if (!heading && isHeadingElement(element))
            heading = element;
        return !heading;
    });
    return heading;
}

const xmlNode *noteAncestor(const xmlNode *node)
{
    for (; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        if (isNoteElement(node))
            return node;
    return nullptr;
}

// The element whose text is the note: the note element around the target,
// else the target when it is a block, else its block.
xmlNode *noteElementOf(xmlNode *target)
{
    if (const xmlNode *note = noteAncestor(target))
        return const_cast<xmlNode *>(note);
    xmlNode *node = target;
    while (node->parent && node->parent->type == XML_ELEMENT_NODE && !isBlock(node))
        node = node->parent;
    return localName(node).compare(u"body", Qt::CaseInsensitive) == 0 ? target : node;
}

// The note's text on one line: read by the HTML rules, its blocks (a
// title with the number, paragraphs) parted by spaces. The note's own
// number before it (the reference's mark, often a link back) is left out:
// the reference says it already.
QString noteText(xmlNode *note, const QString &mark)
{
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    htmlNodeDump(buffer.get(), note->doc, note);
    const QString markup = QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(buffer.get())),
                                             xmlBufferLength(buffer.get()));
    QString text = htmlPageToText(markup);
    text.replace(u'\r', u' ').replace(QChar(11), u' ');
    text = text.simplified();
    if (!mark.isEmpty() && text.startsWith(mark))
        text = text.mid(mark.size()).trimmed();
    if (text.size() > kMaxEpubNoteLength)
        text = text.left(kMaxEpubNoteLength) + QStringLiteral("…");
    return text;
}

struct NoteTarget
{
    EpubPage *page = nullptr;
    xmlNode *element = nullptr;
};

class NoteInliner
{
public:
    explicit NoteInliner(std::vector<EpubPage> &pages) : m_pages(pages)
    {
        for (EpubPage &page : m_pages)
            m_byPath.insert(page.path, &page);
    }

    void run()
    {
        markNotesPages();
        for (EpubPage &page : m_pages)
            if (page.inSpine && !page.notesPage)
                inlineReferences(page);
        for (EpubPage *page : std::as_const(m_pagesWithInlinedNotes))
            page->notesPage = true;
        removeNotes();
    }

private:
    void markNotesPages()
    {
        for (EpubPage &page : m_pages) {
            xmlNode *body = page.body();
            if (!body)
                continue;
            bool notes = isNotesContainer(body);
            forEachElement(body, [&](xmlNode *element) {
                notes = notes || isNotesContainer(element);
                return !notes;
            });
            page.notesPage = notes;
        }
    }

    NoteTarget targetOf(const EpubPage &page, const QString &href)
    {
        const QString fragment = referenceFragment(href);
        if (fragment.isEmpty())
            return {};
        const QString path = href.startsWith(u'#') ? page.path : resolveArchivePath(page.path, href);
        EpubPage *target = m_byPath.value(path);
        if (!target)
            return {};
        return {target, target->ids.value(fragment)};
    }

    bool isReference(const EpubPage &page, xmlNode *link, const NoteTarget &target, xmlNode *note)
    {
        const QString type = semanticType(link);
        if (hasWord(type, QStringLiteral("noteref")) || hasWord(type, QStringLiteral("doc-noteref")))
            return true;
        if (noteAncestor(target.element))
            return true;
        // A numbered contents page links to chapters, not notes; a note's
        // own title is its number.
        const xmlNode *heading = findHeading(note);
        if ((heading && !isNoteMark(collapsedText(heading))) || collapsedText(note).size() > kMaxEpubNoteLength)
            return false;
        return target.page->notesPage || (target.page != &page && isNoteMark(collapsedText(link)));
    }

    void inlineReferences(EpubPage &page)
    {
        QList<xmlNode *> links;
        forEachElement(page.body(), [&](xmlNode *element) {
            if (localName(element).compare(u"a", Qt::CaseInsensitive) == 0)
                links.append(element);
            return !isNoteElement(element);
        });
        for (xmlNode *link : std::as_const(links)) {
            const NoteTarget target = targetOf(page, attributeValue(link, "href"));
            if (!target.element)
                continue;
            xmlNode *note = noteElementOf(target.element);
            if (!isReference(page, link, target, note))
                continue;
            const QString text = kNotePrefix + noteText(note, collapsedText(link)) + kNoteSuffix;
            xmlNode *inserted =
                xmlNewDocText(page.doc.get(), reinterpret_cast<const xmlChar *>(text.toUtf8().constData()));
            if (link->children)
                xmlAddPrevSibling(link->children, inserted);
            else
                xmlAddChild(link, inserted);
            m_inlined.insert(note);
            if (target.page != &page)
                m_pagesWithInlinedNotes.insert(target.page);
        }
    }

    // Notes marked as such leave the reading order; so do notes of other
    // kinds that were inlined (a plain paragraph of a notes section).
    void removeNotes()
    {
        for (EpubPage &page : m_pages) {
            QList<xmlNode *> notes;
            forEachElement(page.body(), [&](xmlNode *element) {
                if (!isNoteElement(element) && !m_inlined.contains(element))
                    return true;
                notes.append(element);
                return false;
            });
            for (xmlNode *note : std::as_const(notes))
                page.detach(note);
        }
    }

    std::vector<EpubPage> &m_pages;
    QHash<QString, EpubPage *> m_byPath;
    QSet<xmlNode *> m_inlined;
    QSet<EpubPage *> m_pagesWithInlinedNotes;
};

} // namespace

void inlineEpubNotes(std::vector<EpubPage> &pages)
{
    NoteInliner(pages).run();
}
