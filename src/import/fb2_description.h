#pragma once

#include "import/book_information.h"
// The description of a FictionBook book (its "title-info" part) and the
// seven information fields the book editor fills from it.

#include <QString>
#include <QStringList>

struct Fb2Description
{
    QString title;
    QStringList firstNames; // one entry per author, in order
    QStringList lastNames;
    QString seriesName;
    int seriesNumber = 0;
    QString genre;
    QString annotation; // raw markup
    QString date;
};

// Reads the description from the text of a FictionBook file. Tag names are
// compared without regard to case; a field whose tags are missing or
// unclosed is empty.
Fb2Description readFb2Description(const QString &fileText);

// The information fields of the description.
BookInformation fb2Information(const Fb2Description &description);

// The information fields of the FictionBook file at `path` (all empty when it
// cannot be read).
BookInformation getFbinfo(const QString &fbfile);

// The characters of the markup references &amp; &lt; &gt; &quot; &apos; and
// &#N; / &#xN; in `text`.
QString decodeXmlReferences(const QString &text);
