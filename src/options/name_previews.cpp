#include "options/name_previews.h"

#include "mp3/book_audio.h"
#include "mp3/tag_module.h"

TagInfo sampleBook()
{
    TagInfo info;
    info.title = QStringLiteral("КНИГА");
    info.series = QStringLiteral("Цикл");
    info.seriesNo = QStringLiteral("3");
    info.author = QStringLiteral("Автор");
    info.genre = QStringLiteral("Жанр");
    info.date = QStringLiteral("2006");
    info.projectName = QStringLiteral("Книга1");
    info.blockCount = 92;
    info.blockNo = 2;
    info.blockTitle = QStringLiteral("Глава первая");
    return info;
}

QString fileNamePreview(const Settings &settings)
{
    TagInfo info = sampleBook();
    QStringList titles(info.blockCount);
    titles[info.blockNo - 1] = info.blockTitle;
    const BlockTitles blockTitles(titles);
    BookAudio book{settings, {}, {}, info.projectName, info.blockCount, info, blockTitles};
    return mp3FileName(book, info.blockNo, kSampleDuration);
}

QString tagPreview(const Settings &settings, const QString &tagTemplate)
{
    return applyYoOption(settings, expandTagTemplate(tagTemplate, sampleBook(), kSampleDuration));
}
