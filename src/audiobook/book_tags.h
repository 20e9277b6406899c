#pragma once
// The tags of a one-file audiobook, from the same templates as the blocks'
// tags but for the book as a whole.

#include "app/settings.h"
#include "app/tag_info.h"

#include <QString>

struct BookTags
{
    QString title;  // the book's title
    QString artist; // the "Artist" template, else the library name
    QString album;  // the "Album" template, else the book's title
    QString genre;
    QString year; // the first four-digit number of the book's date
    QString comment;
};

// `info` describes the book; its block fields are ignored.
BookTags bookTagsFor(const Settings &settings, TagInfo info, const QString &libraryName);
