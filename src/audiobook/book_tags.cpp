#include "audiobook/book_tags.h"

#include "mp3/tag_module.h"

BookTags bookTagsFor(const Settings &settings, TagInfo info, const QString &libraryName)
{
    // A block placeholder in a template names no block here.
    info.blockNo = 0;
    info.blockTitle.clear();
    const Id3Tags blockTags = id3TagsFor(settings, info, libraryName, QString());

    BookTags tags;
    tags.title = bookTitleTag(settings, info, libraryName);
    tags.artist = blockTags.artist;
    tags.album = blockTags.album;
    tags.genre = blockTags.genre;
    tags.comment = blockTags.comment;
    tags.year = blockTags.year;
    return tags;
}
