#include "mp3/book_audio.h"

#include "mp3/tag_module.h"

#include <QDir>
#include <QRegularExpression>

void fillBlockInfo(BookAudio &book, int n)
{
    book.info.blockTitle = book.titles.title(n);
    book.info.blockNo = n;
    book.info.blockCount = book.blockCount;
}

QString mp3FileName(BookAudio &book, int n, const QString &duration)
{
    fillBlockInfo(book, n);
    const Settings &s = book.settings;
    return applyYoOption(
        s, buildFileName(s.fileNameTemplate, book.info, duration, dotReplacement(s), spaceReplacement(s), s.translit));
}

QString wavFileName(BookAudio &book, int n)
{
    QString name = mp3FileName(book, n, QString());
    name.chop(4);
    return name + QStringLiteral(".wav");
}

namespace {

// The names of block `n`'s files in the audio folder: its MP3 name with
// `extension` in place of ".mp3".
QStringList existingBlockFileNames(BookAudio &book, int n, QLatin1String extension)
{
    if (n > book.blockCount)
        return {};
    // The duration is not known before encoding: "{flen}" holds its place
    // and then matches any five characters ("MM-SS").
    QString name = mp3FileName(book, n, QStringLiteral("{flen}"));
    name.chop(4);
    name += extension;
    QString pattern = QRegularExpression::escape(name);
    pattern.replace(QRegularExpression::escape(QStringLiteral("{flen}")), QStringLiteral("..-.."));
    const QRegularExpression matcher(QRegularExpression::anchoredPattern(pattern));
    const QDir folder(book.audioFolder);
    if (!folder.exists())
        return {};
    QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf([&](const QString &entry) { return !matcher.match(entry).hasMatch(); });
    return names;
}

QString first(const QStringList &names)
{
    return names.isEmpty() ? QString() : names.first();
}

} // namespace

QStringList existingMp3Names(BookAudio &book, int n)
{
    return existingBlockFileNames(book, n, QLatin1String(".mp3"));
}

QString existingMp3Name(BookAudio &book, int n)
{
    return first(existingMp3Names(book, n));
}

QString existingM4aName(BookAudio &book, int n)
{
    return first(existingBlockFileNames(book, n, QLatin1String(".m4a")));
}

bool mp3Exists(BookAudio &book, int n)
{
    return !existingMp3Name(book, n).isEmpty();
}
