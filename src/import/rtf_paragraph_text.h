#pragma once
// After an RTF or Word document is read, a paragraph that the document shows
// indented begins with four spaces in the editor's plain text, which the add
// pass and the chapter rules read as the start of a paragraph.

#include "import/rtf_reader.h"

#include <QString>

// The document's paragraphs joined with CR LF, every indented paragraph
// (first line starting right of the margin) led by four spaces.
QString rtfParagraphText(const RtfDocument &document);
