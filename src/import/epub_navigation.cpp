#include "import/epub_navigation.h"

#include "import/epub_package.h"
#include "import/xml_tree.h"

#include <QUrl>

namespace {

void addEntry(QList<EpubTocEntry> &entries, const QString &base, const QString &href, const QString &title)
{
    const QString path = resolveArchivePath(base, href);
    if (!path.isEmpty() && !title.isEmpty())
        entries.append({path, referenceFragment(href), title});
}

// The "toc" navigation list; a document without one marked gives its first.
xmlNode *tocList(xmlNode *root)
{
    xmlNode *first = nullptr;
    xmlNode *toc = nullptr;
    forEachElement(root, [&](xmlNode *element) {
        if (localName(element).compare(u"nav", Qt::CaseInsensitive) != 0)
            return !toc;
        if (!first)
            first = element;
        if (hasWord(attributeValue(element, "type"), QStringLiteral("toc")))
            toc = element;
        return false;
    });
    return toc ? toc : first;
}

} // namespace

QString referenceFragment(const QString &href)
{
    const qsizetype hash = href.indexOf(u'#');
    return hash < 0 ? QString() : QUrl::fromPercentEncoding(href.mid(hash + 1).toUtf8());
}

QList<EpubTocEntry> readNavDocument(const QString &navPath, const QString &page)
{
    QList<EpubTocEntry> entries;
    const XmlDocument doc = parseContentPage(page);
    xmlNode *nav = doc ? tocList(xmlDocGetRootElement(doc.get())) : nullptr;
    if (!nav)
        return entries;
    forEachElement(nav, [&](xmlNode *element) {
        if (localName(element).compare(u"a", Qt::CaseInsensitive) == 0)
            addEntry(entries, navPath, attributeValue(element, "href"), collapsedText(element));
        return true;
    });
    return entries;
}

QList<EpubTocEntry> readNcx(const QString &ncxPath, const QByteArray &ncx)
{
    QList<EpubTocEntry> entries;
    const XmlDocument doc = parseXmlFile(ncx);
    xmlNode *navMap = doc ? findElement(xmlDocGetRootElement(doc.get()), "navMap") : nullptr;
    if (!navMap)
        return entries;
    forEachElement(navMap, [&](xmlNode *element) {
        if (localName(element) != u"navPoint")
            return true;
        xmlNode *label = findElement(element, "text");
        xmlNode *content = findElement(element, "content");
        // The label and content of this point, not of a nested one.
        if (label && content && label->parent->parent == element && content->parent == element)
            addEntry(entries, ncxPath, attributeValue(content, "src"), collapsedText(label));
        return true;
    });
    return entries;
}
