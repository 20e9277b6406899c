#pragma once
// Small helpers over libxml2 trees for the EPUB reader: parsing package
// files (XML) and content pages (through the HTML parser, which takes the
// XHTML of real books, broken or not), and reading elements by their local
// name, so "opf:meta", "dc:title" and "meta" compare as the reader means.
// Entities are never expanded and nothing is fetched from the network.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <libxml/tree.h>

#include <functional>
#include <memory>

struct XmlDocFree
{
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
using XmlDocument = std::unique_ptr<xmlDoc, XmlDocFree>;

// A package, container or NCX file; what a damaged file still holds.
XmlDocument parseXmlFile(const QByteArray &bytes);

// A content page as an HTML tree (UTF-8 in the tree).
XmlDocument parseContentPage(const QString &page);

// The element name without a namespace prefix ("dc:title" -> "title").
QString localName(const xmlNode *node);

// The attribute whose name (or local name after a prefix) is `name`; empty
// when missing.
QString attributeValue(const xmlNode *node, const char *name);

// All text inside the node, white space collapsed to single spaces, trimmed.
QString collapsedText(const xmlNode *node);

// Calls `visit` for every element below `node` in document order; returning
// false from `visit` skips that element's children.
void forEachElement(xmlNode *node, const std::function<bool(xmlNode *)> &visit);

// The first element below `node` with the local name, or nullptr.
xmlNode *findElement(xmlNode *node, const char *name);

// True when the space-separated list `value` holds `word`.
bool hasWord(const QString &value, const QString &word);
