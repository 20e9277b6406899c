#pragma once
// The table of contents of an EPUB book: the EPUB 3 navigation document's
// "toc" list or the EPUB 2 NCX file, as the chapter headings the text gets,
// each with the page and the element ("#fragment") it begins at.

#include <QByteArray>
#include <QList>
#include <QString>

struct EpubTocEntry
{
    QString path;     // the page, a full path in the archive
    QString fragment; // the id where the chapter begins; empty for the page's start
    QString title;
};

// The entries of the navigation document at `navPath` (its decoded text).
QList<EpubTocEntry> readNavDocument(const QString &navPath, const QString &page);

// The entries of the NCX file at `ncxPath`, in reading order.
QList<EpubTocEntry> readNcx(const QString &ncxPath, const QByteArray &ncx);

// The "#fragment" of a reference, percent-decoded; empty when none.
QString referenceFragment(const QString &href);
