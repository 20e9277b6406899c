#pragma once
// How a loaded book marks its paragraphs, for the add pass's option
// "Абзац НЕ начинается пробелом или табуляцией". With the option off a
// paragraph ends only before an indented or empty line; a book whose
// paragraphs are neither indented nor set apart by empty lines (one line
// each, as many UTF-8 texts are) would then never end one, and its
// narration would go on in the voice of the last reply.

#include <QString>

struct ParagraphLayout
{
    bool withoutIndent = false; // the value the option should take
    QString status;             // what was chosen and why, for the status line
};

// Looks at the text's non-empty lines: the option goes on when fewer than a
// fifth of them are indented and fewer than half are followed by an empty
// line. A text without lines leaves it off.
ParagraphLayout detectParagraphLayout(const QString &text);
