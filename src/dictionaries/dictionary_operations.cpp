#include "dictionaries/dictionary_operations.h"

#include "dictionaries/dictionary_file.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QFileInfo>
#include <QSet>

namespace {

// What makes two entries the same, as one string, so that large
// dictionaries are compared through a hash set instead of pair by pair.
QString matchKey(const DictionaryEntry &entry, bool keyOnly)
{
    const bool exact = entry.caseSensitive;
    const auto norm = [exact](const QString &s) { return exact ? s : s.toLower(); };
    QString k = QString::number(qToUnderlying(entry.mode)) + (exact ? u'$' : u'-') + norm(entry.key);
    if (!keyOnly)
        k += QChar(0) + norm(entry.replacement);
    return k;
}

std::optional<DictionaryTable> loadTable(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    DictionaryTable table;
    loadDictionaryFile(table, path, false);
    return table;
}

QString baseName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// Writes the kept entries of `table` (entry lines only) unless cancelled.
OperationResult writeKept(const DictionaryTable &table, const QList<bool> &keep, const QString &target,
                          OperationResult result)
{
    if (result.cancelled)
        return result;
    QStringList lines;
    for (int i = 0; i < table.size(); ++i) {
        if (keep[i])
            lines.append(formatEntryLine(table[i]));
    }
    if (!UserFile::writeLines(target, lines)) {
        result.failed = true;
        return result;
    }
    result.written.append(target);
    return result;
}

} // namespace

QString defaultTargetName(const QString &sourceName, const QString &suffix)
{
    QString base = sourceName;
    if (base.endsWith(QLatin1String(".dic"), Qt::CaseInsensitive))
        base.chop(4);
    return base + suffix + QStringLiteral(".dic");
}

OperationResult subtractDictionaries(const QString &source, const QString &other, const QString &target, bool keyOnly,
                                     const ToolProgress &progress)
{
    OperationResult result;
    const std::optional<DictionaryTable> src = loadTable(source);
    const std::optional<DictionaryTable> sub = loadTable(other);
    if (!src || !sub) {
        result.failed = true;
        return result;
    }
    QSet<QString> remove;
    for (const DictionaryEntry &entry : *sub)
        remove.insert(matchKey(entry, keyOnly));
    const int count = int(src->size());
    QList<bool> keep(count, true);
    ProgressThrottle throttle(progress);
    for (int i = 0; i < count; ++i) {
        if (remove.contains(matchKey(src->at(i), keyOnly))) {
            keep[i] = false;
            ++result.removed;
        }
        throttle.report(i + 1, count, [&] {
            return QStringLiteral("Удалено %1 записей в словаре %2").arg(result.removed).arg(baseName(source));
        });
        if (progress.isCancelled()) {
            result.cancelled = true;
            break;
        }
    }
    return writeKept(*src, keep, target, result);
}

OperationResult removeRepeats(const QString &source, const QString &target, bool keyOnly, const ToolProgress &progress)
{
    OperationResult result;
    const std::optional<DictionaryTable> src = loadTable(source);
    if (!src) {
        result.failed = true;
        return result;
    }
    // From the end: an entry goes when a later one matches it.
    QSet<QString> later;
    const int count = int(src->size());
    QList<bool> keep(count, true);
    ProgressThrottle throttle(progress);
    for (int i = count - 1, done = 1; i >= 0; --i, ++done) {
        const QString k = matchKey(src->at(i), keyOnly);
        if (later.contains(k)) {
            keep[i] = false;
            ++result.removed;
        } else {
            later.insert(k);
        }
        throttle.report(done, count, [&] {
            return QStringLiteral("Удалено %1 записей в словаре %2").arg(result.removed).arg(baseName(source));
        });
        if (progress.isCancelled()) {
            result.cancelled = true;
            break;
        }
    }
    return writeKept(*src, keep, target, result);
}

int entriesPerPartFor(int entryCount, int parts)
{
    return parts > 0 ? entryCount / parts + 1 : entryCount;
}

OperationResult splitDictionary(const QString &source, int entriesPerPart, const ToolProgress &progress)
{
    OperationResult result;
    const std::optional<DictionaryTable> src = loadTable(source);
    if (!src || entriesPerPart < 1) {
        result.failed = true;
        return result;
    }
    QList<QStringList> parts;
    for (int i = 0; i < src->size(); ++i) {
        if (i % entriesPerPart == 0)
            parts.append(QStringList());
        parts.last().append(formatEntryLine(src->at(i)));
        if (progress.isCancelled()) {
            result.cancelled = true;
            return result;
        }
    }
    const QString stem = defaultTargetName(source, QString()).chopped(4);
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const QString target = stem + QStringLiteral("_part%1.dic").arg(k + 1);
        if (!UserFile::writeLines(target, parts[k])) {
            result.failed = true;
            return result;
        }
        result.written.append(target);
    }
    return result;
}

OperationResult mergeDictionaries(const QStringList &sources, const QString &target, const ToolProgress &progress)
{
    OperationResult result;
    if (sources.isEmpty() || target.isEmpty()) {
        result.cancelled = true;
        return result;
    }
    QStringList lines = {kDictionaryHeader};
    for (const QString &source : sources) {
        const std::optional<DictionaryTable> table = loadTable(source);
        if (!table) {
            result.failed = true;
            return result;
        }
        lines += entryLines(*table);
        if (progress.isCancelled()) {
            result.cancelled = true;
            return result;
        }
    }
    if (!UserFile::writeLines(target, lines)) {
        result.failed = true;
        return result;
    }
    result.written.append(target);
    return result;
}

QString convertStressMarks(const QString &text, StressConversion conversion)
{
    QString s = text;
    if (conversion == StressConversion::AngleToGrave) {
        s.replace(u'<', Codec::cp1251Char(96));
        s.remove(u'>');
    } else {
        s.replace(Codec::cp1251Char(96), u'<');
    }
    return s;
}

OperationResult convertDictionaryStress(const QString &source, const QString &target, StressConversion conversion,
                                        const ToolProgress &progress)
{
    OperationResult result;
    if (target.isEmpty()) {
        result.cancelled = true;
        return result;
    }
    const std::optional<DictionaryTable> src = loadTable(source);
    if (!src) {
        result.failed = true;
        return result;
    }
    QStringList lines = {kDictionaryHeader};
    for (DictionaryEntry entry : *src) {
        entry.key = convertStressMarks(entry.key, conversion);
        entry.replacement = convertStressMarks(entry.replacement, conversion);
        lines.append(formatEntryLine(entry));
        if (progress.isCancelled()) {
            result.cancelled = true;
            return result;
        }
    }
    if (!UserFile::writeLines(target, lines)) {
        result.failed = true;
        return result;
    }
    result.written.append(target);
    return result;
}
