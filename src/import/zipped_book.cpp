#include "import/zipped_book.h"

#include "app/book_file_filter.h"

namespace {

QString fileName(const QString &entry)
{
    return entry.section(u'/', -1);
}

bool isArchiverLeftover(const QString &entry)
{
    return entry.startsWith(QStringLiteral("__MACOSX/")) || fileName(entry).startsWith(QStringLiteral("._"));
}

bool isArchive(const QString &entry)
{
    const BookFileKind kind = bookFileKind(entry);
    return kind == BookFileKind::Zip || kind == BookFileKind::Epub
           || (kind == BookFileKind::Word && !entry.endsWith(QStringLiteral(".doc"), Qt::CaseInsensitive));
}

} // namespace

QStringList bookEntries(const QStringList &names)
{
    QStringList books;
    for (const QString &name : names)
        if (!isArchiverLeftover(name) && bookFileKind(fileName(name)) != BookFileKind::None && !isArchive(name))
            books.append(name);
    return books;
}

bool hasNestedArchive(const QStringList &names)
{
    return std::any_of(names.cbegin(), names.cend(),
                       [](const QString &name) { return !isArchiverLeftover(name) && isArchive(name); });
}
