#pragma once
// A FictionBook book as the editor's plain text: heading lines for the
// authors, the title, the series and the annotation, then the body with its
// section titles, poems and epigraphs laid out in lines, footnotes inlined
// where they are referenced.

#include "import/fb2_description.h"
#include "import/reading_report.h"

#include <QString>

// The heading lines a book's text begins with (authors, title, series,
// annotation) as page markup; EPUB books begin with the same lines. They
// stand at most two empty lines apart, so they never look like sections.
QString descriptionHeadingLines(const Fb2Description &desc);

// Line breaks of a converted page: LF dropped, manual breaks and block ends
// become CR LF, no-break spaces plain spaces, at most three empty lines.
QString cleanConvertedText(const QString &converted);

// The simple HTML page the book is laid out as.
QString fb2Page(const QString &fileText);

// The text of the book, CR LF line breaks, at most three empty lines in a
// row. A parser that gave up before the end is noted in `report`.
QString fb2ToText(const QString &fileText, ReadingReport *report = nullptr);

// Reads the FictionBook file at `path` and returns its text (empty when it
// cannot be read).
QString convertFb2File(const QString &path);
