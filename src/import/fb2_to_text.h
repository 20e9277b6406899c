#pragma once
// A FictionBook book as the editor's plain text: heading lines for the
// authors, the title, the series and the annotation, then the body with its
// section titles, poems and epigraphs laid out in lines, footnotes inlined
// where they are referenced.

#include "import/reading_report.h"

#include <QString>

// The simple HTML page the book is laid out as.
QString fb2Page(const QString &fileText);

// The text of the book, CR LF line breaks, at most three empty lines in a
// row. A parser that gave up before the end is noted in `report`.
QString fb2ToText(const QString &fileText, ReadingReport *report = nullptr);

// Reads the FictionBook file at `path` and returns its text (empty when it
// cannot be read).
QString convertFb2File(const QString &path);
