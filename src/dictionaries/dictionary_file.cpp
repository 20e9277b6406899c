#include "dictionaries/dictionary_file.h"

#include "dictionaries/entry_markers.h"
#include "dictionaries/entry_safety.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QFileInfo>

std::optional<QString> readDictionaryText(const QString &path)
{
    const std::optional<QByteArray> bytes = UserFile::readBytes(path);
    if (!bytes)
        return std::nullopt;
    return Codec::decodeUserFile(*bytes);
}

QStringList splitDictionaryLines(const QString &text)
{
    const QChar end = text.contains(u'\r') ? QChar(u'\r') : QChar(u'\n');
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) != end)
            continue;
        lines.append(text.mid(start, i - start));
        if (end == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

int countLines(const QString &path)
{
    const std::optional<QString> text = readDictionaryText(path);
    return text ? int(splitDictionaryLines(*text).size()) : -1;
}

std::optional<DictionaryEntry> parseEntryLine(const QString &line)
{
    if (line.size() < 3 || line.startsWith(QLatin1String("//")))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    QString key = line.left(equals);
    QString replacement = line.mid(equals + 1);
    replacement.remove(u'\t');
    const bool caseSensitive = key.startsWith(u'$');
    if (caseSensitive)
        key.remove(0, 1);
    if (!entryIsSafe(key, caseSensitive))
        return std::nullopt;
    const BoundaryMode mode = entryMode(key);
    const QString bare = stripMarkers(key, mode);
    // A key of one lone marker ("*", "&") leaves nothing to search for and
    // could not be written back as it was: it is skipped like a bad line.
    if (bare.isEmpty() && !key.isEmpty())
        return std::nullopt;
    return DictionaryEntry{bare, replacement, caseSensitive, mode};
}

QString formatEntryLine(const DictionaryEntry &entry)
{
    return (entry.caseSensitive ? QStringLiteral("$") : QString()) + addMarkers(entry.key, entry.mode) + u'='
           + entry.replacement;
}

bool loadDictionaryFile(DictionaryTable &table, const QString &path, bool append)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const std::optional<QString> text = readDictionaryText(path);
    if (!text)
        return false;
    const QStringList lines = splitDictionaryLines(*text);
    if (lines.isEmpty())
        return false;
    if (!append)
        table.clear();
    for (const QString &line : lines) {
        if (std::optional<DictionaryEntry> entry = parseEntryLine(line))
            table.append(std::move(*entry));
    }
    return true;
}

QStringList entryLines(const DictionaryTable &table)
{
    QStringList lines;
    lines.reserve(table.size());
    for (const DictionaryEntry &entry : table)
        lines.append(formatEntryLine(entry));
    return lines;
}

bool writeDictionary(const QString &path, const DictionaryTable &table)
{
    QStringList lines = entryLines(table);
    lines.prepend(kDictionaryHeader);
    lines.append(kDictionaryEndLine);
    return UserFile::writeLines(path, lines);
}
