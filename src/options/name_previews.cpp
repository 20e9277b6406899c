#include "options/name_previews.h"

#include "mp3/book_audio.h"
#include "mp3/tag_module.h"

TagInfo sampleBook()
{
    TagInfo info;
    info.Title = QStringLiteral("КНИГА");
    info.Series = QStringLiteral("Цикл");
    info.SeriesNo = QStringLiteral("3");
    info.Author = QStringLiteral("Автор");
    info.Genre = QStringLiteral("Жанр");
    info.Date = QStringLiteral("2006");
    info.ProjectName = QStringLiteral("Книга1");
    info.BlockCount = 92;
    info.BlockNo = 2;
    info.BlockTitle = QStringLiteral("Глава первая");
    return info;
}

QString fileNamePreview(const Settings &settings)
{
    TagInfo info = sampleBook();
    QStringList titles(info.BlockCount);
    titles[info.BlockNo - 1] = info.BlockTitle;
    const BlockTitles blockTitles(titles);
    BookAudio book{settings, {}, {}, info.ProjectName, info.BlockCount, info, blockTitles};
    return mp3FileName(book, info.BlockNo, kSampleDuration);
}

QString tagPreview(const Settings &settings, const QString &tagTemplate)
{
    return applyYoOption(settings, expandTagTemplate(tagTemplate, sampleBook(), kSampleDuration));
}
