#pragma once
// The table of contents of an EPUB book written into its pages as heading
// lines the way FictionBook section titles are laid out (three empty lines
// before the title), so chapter detection finds the chapters. Where the
// page's own heading at that place says the same (or less), it gives way to
// the table's title; otherwise the title is put before the chapter's start.

#include "import/epub_navigation.h"
#include "import/epub_page.h"

#include <QList>

#include <vector>

void setEpubHeadings(std::vector<EpubPage> &pages, const QList<EpubTocEntry> &entries);
