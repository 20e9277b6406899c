#pragma once
// A chapter as the reader shows it and reads it aloud: the block file's text
// without the voice markers, each paragraph that began with a space indented
// by four, and every line end a single "\n", so that a character's position
// in this text is its position in the text view and the word positions the
// speech engine reports can be coloured as they stand.

#include <QList>
#include <QString>

// Where a role's stretch begins, as a voice marker said: role 1 narration,
// 2 speech, 3 second speech, 4 author.
struct RoleStart
{
    qsizetype position = 0;
    int role = 1;
};

struct ChapterText
{
    QString text;
    QList<RoleStart> roles; // in positions of `text`, in order
};

ChapterText chapterText(const QString &blockText);
QString chapterDisplayText(const QString &blockText);

// Chapter `n` (1-based) of the book in `bookFolder`; empty when its block
// file does not exist.
ChapterText loadChapter(const QString &bookFolder, int n);
QString loadChapterText(const QString &bookFolder, int n);
