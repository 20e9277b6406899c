#include "reader/chapter_text.h"

#include "app/project_store.h"
#include "common/replace_all.h"
#include "import/voice_markers.h"

QString chapterDisplayText(const QString &blockText)
{
    QString text = removeVoiceMarkers(blockText);
    text = replaceAll(text, QStringLiteral("\r\n "), QStringLiteral("\r\n    "), true);
    // The view holds one character per line end; the engine must count the
    // same way.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString loadChapterText(const QString &bookFolder, int n)
{
    return chapterDisplayText(readBlockFile(bookFolder, n));
}
