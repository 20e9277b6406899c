#include "import/epub_page.h"

xmlNode *EpubPage::body() const
{
    xmlNode *root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    xmlNode *found = root ? findElement(root, "body") : nullptr;
    return found ? found : root;
}

void EpubPage::detach(xmlNode *node)
{
    xmlUnlinkNode(node);
    detached.emplace_back(node);
}

EpubPage makeEpubPage(const QString &path, const QString &text, bool inSpine)
{
    EpubPage page;
    page.path = path;
    page.inSpine = inSpine;
    page.doc = parseContentPage(text);
    if (!page.doc)
        return page;
    forEachElement(reinterpret_cast<xmlNode *>(page.doc.get()), [&](xmlNode *element) {
        const QString id = attributeValue(element, "id");
        if (!id.isEmpty() && !page.ids.contains(id))
            page.ids.insert(id, element);
        return true;
    });
    return page;
}

bool isHeadingElement(const xmlNode *node)
{
    const QString name = localName(node).toLower();
    return name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6';
}

QString comparableText(const QString &text)
{
    QString result;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            result.append(c.toLower());
    return result;
}
