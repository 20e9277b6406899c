#pragma once
// One content page of an EPUB book while it is turned into text: its tree
// (changed in place as notes are inlined and headings set) and its elements
// by id.

#include "import/xml_tree.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

struct XmlNodeFree
{
    void operator()(xmlNode *node) const { xmlFreeNode(node); }
};

struct EpubPage
{
    QString path;
    XmlDocument doc;
    QHash<QString, xmlNode *> ids;
    bool inSpine = false;
    // A page of notes: its text is read where the notes are referenced,
    // not in the reading order.
    bool notesPage = false;

    // Nodes taken out of the tree; kept until the page goes, as ids may
    // still point into them.
    std::vector<std::unique_ptr<xmlNode, XmlNodeFree>> detached;

    xmlNode *body() const;
    void detach(xmlNode *node);
};

// Parses the page's decoded text and indexes its ids.
EpubPage makeEpubPage(const QString &path, const QString &text, bool inSpine);

bool isHeadingElement(const xmlNode *node);

// Letters and digits only, lower case: "Глава 1. Начало" and
// "ГЛАВА 1 <br/> Начало" compare equal.
QString comparableText(const QString &text);
