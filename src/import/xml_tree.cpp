#include "import/xml_tree.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <cstring>

QString localName(const xmlNode *node)
{
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(node->name));
    const qsizetype colon = name.indexOf(u':');
    return colon < 0 ? name : name.mid(colon + 1);
}

XmlDocument parseXmlFile(const QByteArray &bytes)
{
    const int options = XML_PARSE_RECOVER | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    return XmlDocument(xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr, options));
}

XmlDocument parseContentPage(const QString &page)
{
    const QByteArray bytes = page.toUtf8();
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC;
    return XmlDocument(htmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, "UTF-8", options));
}

QString attributeValue(const xmlNode *node, const char *name)
{
    // Compared as bytes: this runs for every element of a book.
    for (const xmlAttr *attribute = node->properties; attribute; attribute = attribute->next) {
        const char *attributeName = reinterpret_cast<const char *>(attribute->name);
        const char *colon = std::strrchr(attributeName, ':');
        const bool matches = qstricmp(attributeName, name) == 0 || (colon && qstricmp(colon + 1, name) == 0);
        if (!matches || !attribute->children)
            continue;
        xmlChar *value = xmlNodeListGetString(node->doc, attribute->children, 1);
        const QString result = QString::fromUtf8(reinterpret_cast<const char *>(value));
        xmlFree(value);
        return result;
    }
    return {};
}

QString collapsedText(const xmlNode *node)
{
    xmlChar *content = xmlNodeGetContent(node);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(content)).simplified();
    xmlFree(content);
    return text;
}

void forEachElement(xmlNode *node, const std::function<bool(xmlNode *)> &visit)
{
    // Iterative, so a deeply nested page cannot exhaust the stack.
    if (!node)
        return;
    xmlNode *current = node->children;
    while (current && current != node) {
        bool descend = false;
        if (current->type == XML_ELEMENT_NODE)
            descend = visit(current) && current->children;
        if (descend) {
            current = current->children;
            continue;
        }
        while (current != node && !current->next)
            current = current->parent;
        if (current == node)
            break;
        current = current->next;
    }
}

xmlNode *findElement(xmlNode *node, const char *name)
{
    xmlNode *found = nullptr;
    const QLatin1String wanted(name);
    forEachElement(node, [&](xmlNode *element) {
        if (!found && localName(element).compare(wanted, Qt::CaseInsensitive) == 0)
            found = element;
        return !found;
    });
    return found;
}

bool hasWord(const QString &value, const QString &word)
{
    return value.split(u' ', Qt::SkipEmptyParts).contains(word, Qt::CaseInsensitive);
}
