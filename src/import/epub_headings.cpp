#include "import/epub_headings.h"

#include <QSet>

namespace {

bool hasOwnText(const xmlNode *node)
{
    for (const xmlNode *child = node->children; child; child = child->next)
        if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            && !QString::fromUtf8(reinterpret_cast<const char *>(child->content)).trimmed().isEmpty())
            return true;
    return false;
}

xmlNode *nextElement(xmlNode *node)
{
    for (node = node->next; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE)
            return node;
    return nullptr;
}

// <h2><br><br><br><br>title<br></h2>, as FictionBook titles are laid out.
xmlNode *headingNode(xmlDoc *doc, const QString &title)
{
    xmlNode *heading = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar *>("h2"), nullptr);
    for (int i = 0; i < 4; ++i)
        xmlAddChild(heading, xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar *>("br"), nullptr));
    xmlAddChild(heading, xmlNewDocText(doc, reinterpret_cast<const xmlChar *>(title.toUtf8().constData())));
    xmlAddChild(heading, xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar *>("br"), nullptr));
    return heading;
}

class HeadingWriter
{
public:
    void write(EpubPage &page, const EpubTocEntry &entry)
    {
        xmlNode *body = page.body();
        xmlNode *start = entry.fragment.isEmpty() ? body : page.ids.value(entry.fragment);
        if (!start || !body)
            return;
        // An empty anchor (<a id="ch1"/>) marks the place; the chapter is what follows.
        xmlNode *first = firstTextElement(start);
        if (!first && start != body)
            if (xmlNode *next = nextElement(start))
                first = firstTextElement(next);
        QString title = entry.title;
        // Converters that write headings as styled paragraphs give a
        // paragraph of the title's very words.
        const bool replaces =
            first
            && (isHeadingElement(first) ? sayTheSame(title, collapsedText(first))
                                        : comparableText(title) == comparableText(collapsedText(first)));
        if (replaces && collapsedText(first).size() > title.size())
            title = collapsedText(first);
        if (replaces)
            first = wholeBlock(first, body);
        xmlNode *heading = headingNode(page.doc.get(), title);
        // Several entries at one place (a part and its first chapter) keep
        // the table's order.
        if (xmlNode *previous = m_lastAt.value(start))
            xmlAddNextSibling(previous, heading);
        else if (replaces)
            xmlAddPrevSibling(first, heading);
        else if (start == body && body->children)
            xmlAddPrevSibling(body->children, heading);
        else if (start == body)
            xmlAddChild(body, heading);
        else
            xmlAddPrevSibling(start, heading);
        if (replaces)
            page.detach(first);
        m_lastAt.insert(start, heading);
        m_written.insert(heading);
    }

private:
    static bool sayTheSame(const QString &a, const QString &b)
    {
        const QString left = comparableText(a);
        const QString right = comparableText(b);
        return left.contains(right) || right.contains(left);
    }

    // The outermost element around `node` (inside `body`) that holds
    // nothing but its text: the paragraph around a span.
    static xmlNode *wholeBlock(xmlNode *node, const xmlNode *body)
    {
        const QString text = collapsedText(node);
        while (node->parent && node->parent != body && node->parent->type == XML_ELEMENT_NODE
               && collapsedText(node->parent) == text)
            node = node->parent;
        return node;
    }

    bool isText(const xmlNode *node) const
    {
        // An empty heading (the HTML parser closes one at a <p> inside) is
        // no place a reader sees.
        return !m_written.contains(node)
               && (hasOwnText(node) || (isHeadingElement(node) && !collapsedText(node).isEmpty()));
    }

    // The first element at or below `node` that holds text itself or is a
    // heading: what a reader sees first where the chapter begins.
    xmlNode *firstTextElement(xmlNode *node) const
    {
        if (isText(node))
            return node;
        xmlNode *found = nullptr;
        forEachElement(node, [&](xmlNode *element) {
            if (!found && isText(element))
                found = element;
            return !found && !m_written.contains(element);
        });
        return found;
    }

    QHash<const xmlNode *, xmlNode *> m_lastAt;
    QSet<const xmlNode *> m_written;
};

} // namespace

void setEpubHeadings(std::vector<EpubPage> &pages, const QList<EpubTocEntry> &entries)
{
    HeadingWriter writer;
    QHash<QString, EpubPage *> byPath;
    for (EpubPage &page : pages)
        if (page.inSpine)
            byPath.insert(page.path, &page);
    for (const EpubTocEntry &entry : entries)
        if (EpubPage *page = byPath.value(entry.path))
            writer.write(*page, entry);
}
