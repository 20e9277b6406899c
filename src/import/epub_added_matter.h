#pragma once
// What the program that made an EPUB book put around the book itself, which
// a listener must not hear:
// - a table of contents written as a page or as a list of links in a page
//   (the navigation document or NCX gives the chapters already);
// - the description repeated in the pages (under "Annotation"): the book is
//   read with its description at the start, once;
// - pages before the first words of the book with nothing to read (a title
//   page that is only the cover picture), which would otherwise take a
//   heading from the table of contents ("Cover") and make a block of it.

#include "import/epub_navigation.h"
#include "import/epub_page.h"

#include <QList>
#include <QString>

#include <vector>

// Takes those parts out of `pages` (and the pages that are nothing else) and
// the entries of `toc` that name them. `description` is the description's
// text as it is read before the book; `navPath` the navigation document,
// which some books list among their pages. Contents are dropped only when
// the book has a table of contents (`toc` not empty) to read the chapters
// from. An English "Annotation" heading that stays becomes "Аннотация".
void dropAddedMatter(std::vector<EpubPage> &pages, QList<EpubTocEntry> &toc, const QString &description,
                     const QString &navPath);
