#include "audiobook/book_tags.h"

#include "mp3/tag_module.h"
#include "mp3/transliterate.h"

#include <QRegularExpression>

BookTags bookTagsFor(const Settings &settings, TagInfo info, const QString &libraryName)
{
    // A block placeholder in a template names no block here.
    info.blockNo = 0;
    info.blockTitle.clear();
    const Id3Tags blockTags = id3TagsFor(settings, info, libraryName, QString());

    BookTags tags;
    const QString title = info.title.trimmed().isEmpty() ? libraryName : info.title;
    tags.title = applyYoOption(settings, settings.translit ? transliterate(title) : title);
    tags.artist = blockTags.artist;
    tags.album = blockTags.album.value_or(tags.title);
    tags.genre = blockTags.genre;
    tags.comment = blockTags.comment;
    static const QRegularExpression year(QStringLiteral("\\b(\\d{4})\\b"));
    tags.year = year.match(info.date).captured(1);
    return tags;
}
