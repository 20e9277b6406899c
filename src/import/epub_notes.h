#pragma once
// Footnotes and endnotes of an EPUB book, inlined where they are
// referenced the way FictionBook notes are: "; [Примечание:" note "];"
// right after the start of the reference link. A link is a reference when
// it is marked one (epub:type "noteref", role "doc-noteref"), when it
// leads to a note (epub:type "footnote", "endnote", "rearnote", "note") or
// into a page of notes, or when its text is a note mark ("1", "[2]", "*")
// leading to another page. Notes themselves leave the reading order.

#include "import/epub_page.h"

#include <QList>

#include <vector>

// Marks the pages of notes (by their epub:type or role) among `pages`,
// inlines the notes and removes them from their place. Pages read only for
// their notes become notes pages once a note of theirs was inlined.
void inlineEpubNotes(std::vector<EpubPage> &pages);

// A note is cut here: a reference must not bring a whole chapter along
// when its target is a large block.
constexpr qsizetype kMaxEpubNoteLength = 4000;
