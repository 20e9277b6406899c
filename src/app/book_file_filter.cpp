#include "app/book_file_filter.h"

#include <QFileInfo>

namespace {

struct Ending
{
    const char *ending;
    BookFileKind kind;
};

// Longer endings first: ".fb2.zip" is a zip, ".html" before ".htm" does not
// matter but reads the same way.
constexpr Ending kEndings[] = {
    {".fb2.zip", BookFileKind::Zip},     {".txt", BookFileKind::Text},     {".rtf", BookFileKind::Rtf},
    {".doc", BookFileKind::Word},        {".docx", BookFileKind::Word},    {".docm", BookFileKind::Word},
    {".odt", BookFileKind::Word},        {".htm", BookFileKind::Html},     {".html", BookFileKind::Html},
    {".fb2", BookFileKind::FictionBook}, {".epub", BookFileKind::Epub},    {".zip", BookFileKind::Zip},
    {".pdf", BookFileKind::Pdf},         {".mobi", BookFileKind::Calibre}, {".azw", BookFileKind::Calibre},
    {".azw3", BookFileKind::Calibre},    {".fb3", BookFileKind::Calibre},  {".djvu", BookFileKind::Calibre},
};

const Ending *endingOf(const QString &path)
{
    const QString fileName = path.section(u'/', -1);
    for (const Ending &e : kEndings) {
        const QLatin1String ending(e.ending);
        // A bare ending is a hidden file's name, not a book.
        if (fileName.size() > ending.size() && fileName.endsWith(ending, Qt::CaseInsensitive))
            return &e;
    }
    return nullptr;
}

} // namespace

BookFileKind bookFileKind(const QString &fileName)
{
    const Ending *ending = endingOf(fileName);
    return ending ? ending->kind : BookFileKind::None;
}

QString bookFileStem(const QString &fileName)
{
    const Ending *ending = endingOf(fileName);
    return fileName.left(fileName.size() - (ending ? qsizetype(qstrlen(ending->ending)) : 4));
}

QStringList bookFilePatterns(BookFileKind kind)
{
    QStringList patterns;
    for (const Ending &e : kEndings)
        if ((kind == BookFileKind::None || e.kind == kind) && e.kind != BookFileKind::Zip)
            patterns.append(u'*' + QLatin1String(e.ending));
    if (kind == BookFileKind::None || kind == BookFileKind::Zip)
        patterns.append(QStringLiteral("*.zip")); // takes in "*.fb2.zip"
    return patterns;
}

QString openableBookFile(const QString &argument)
{
    QString path = argument;
    path.remove(u'"');
    if (!QFileInfo(path).isFile())
        return {};
    return bookFileKind(path) == BookFileKind::None ? QString() : path;
}
