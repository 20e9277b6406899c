#pragma once
// The text of a PDF book as the add pass wants it. pdftotext gives the
// printed lines page by page (pages parted by form feeds): running headers
// and footers, page numbers, words hyphenated at line ends, and paragraphs
// broken into lines. This turns them back into a book: one line a
// paragraph, no empty lines between paragraphs, and each heading of the
// PDF's outline alone between empty lines, where the chapter identifiers
// (a number or a title set apart) find it.

#include <QString>
#include <QStringList>

// pdftotext's output cut into pages at its form feeds; a last empty page
// after the final form feed is dropped.
QStringList pdfPages(const QString &pdftotextOutput);

// Removes, from the first and last lines of each page, the lines that repeat
// on most pages (the book's title or author as a running header, with the
// page number written into it or not) and lines that are only a page number
// ("12", "- 12 -", "Стр. 12", "12 из 300").
QStringList withoutPageFurniture(const QStringList &pages);

// The pages' lines joined into paragraphs: a word hyphenated at a line's end
// is joined ("пере-" "ход" -> "переход", but "кто-" "нибудь" keeps its
// hyphen); a paragraph ends after a line that ends a sentence and falls short
// of a full line, before a dialogue dash, and at an empty line after a
// sentence end. Lines equal to an outline title are headings, set apart
// by empty lines.
QString pdfBookText(const QStringList &pages, const QStringList &outlineTitles);

// The outline's titles from pdftohtml's XML ("<item page="3">Глава 1</item>"),
// in order, markup entities decoded.
QStringList pdfOutlineTitles(const QString &pdftohtmlXml);

// "Title:" and "Author:" of pdfinfo's output, empty when not there.
struct PdfMetadata
{
    QString title;
    QString author;
    int pages = 0;
};
PdfMetadata pdfMetadata(const QString &pdfinfoOutput);

// True when the pages hold no letter at all: a PDF of scanned pages.
bool pdfHasNoText(const QString &pdftotextOutput);
