#pragma once
// A chapter as the reader shows it and reads it aloud: the block file's text
// without the voice markers, each paragraph that began with a space indented
// by four, and every line end a single "\n", so that a character's position
// in this text is its position in the text view and the word positions the
// speech engine reports can be coloured as they stand.

#include <QString>

QString chapterDisplayText(const QString &blockText);

// The displayed text of chapter `n` (1-based) of the book in `bookFolder`;
// empty when its block file does not exist.
QString loadChapterText(const QString &bookFolder, int n);
