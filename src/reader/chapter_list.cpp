#include "reader/chapter_list.h"

#include "app/project_store.h"
#include "app/tag_info.h"

QStringList loadChapterList(const QString &bookFolder)
{
    TagInfo info;
    BlockTitles titles;
    loadChapters(bookFolder, QString(), countBlocks(bookFolder), info, titles);
    return titles.all();
}

QString chapterEntry(int number, const QString &name)
{
    return QStringLiteral("[%1] %2").arg(number).arg(name);
}
