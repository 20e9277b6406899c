#include "dictionaries/editor_rows.h"

#include "dictionaries/entry_markers.h"
#include "dictionaries/replace_bounded.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QHash>

#include <algorithm>

bool rowKeepsCase(const DicRow &row, bool engineRows)
{
    return engineRows ? row.flag != QLatin1String("/i") : row.flag == kCaseSensitiveMark;
}

namespace {

// word -> word* -> *word -> *word* -> word; a "&" form goes back to word.
BoundaryMode nextStarForm(BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case DelimiterBeforeAndAfter: return DelimiterBefore;
    case DelimiterBefore: return DelimiterAfter;
    case DelimiterAfter: return Anywhere;
    default: return DelimiterBeforeAndAfter;
    }
}

// The star forms as above, then word& -> &word -> &word& -> &word* -> *word& -> word.
BoundaryMode nextForm(BoundaryMode mode)
{
    using enum BoundaryMode;
    switch (mode) {
    case DelimiterBeforeAndAfter: return DelimiterBefore;
    case DelimiterBefore: return DelimiterAfter;
    case DelimiterAfter: return Anywhere;
    case Anywhere: return DelimiterBeforeNonDelimiterAfter;
    case DelimiterBeforeNonDelimiterAfter: return NonDelimiterBeforeDelimiterAfter;
    case NonDelimiterBeforeDelimiterAfter: return NonDelimiterBeforeAndAfter;
    case NonDelimiterBeforeAndAfter: return NonDelimiterBefore;
    case NonDelimiterBefore: return NonDelimiterAfter;
    default: return DelimiterBeforeAndAfter;
    }
}

} // namespace

QString nextMarkedWord(const QString &word, bool allForms)
{
    const BoundaryMode mode = entryMode(word);
    if (mode == BoundaryMode::MatchesNothing)
        return word;
    const BoundaryMode next = allForms ? nextForm(mode) : nextStarForm(mode);
    return addMarkers(stripMarkers(word, mode), next);
}

namespace {

QString withoutLeadingStar(const QString &word)
{
    return word.startsWith(u'*') ? word.mid(1) : word;
}

QString sortingKey(const QString &word)
{
    return stripMarkers(word, entryMode(word)).toLower();
}

} // namespace

int rowStartingWith(const QList<DicRow> &rows, const QString &typed)
{
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < rows.size(); ++i)
        if (withoutLeadingStar(rows[i].word).startsWith(typed, Qt::CaseInsensitive))
            return i;
    return -1;
}

int alphabeticalPosition(const QList<DicRow> &rows, const QString &word)
{
    const QString key = sortingKey(word);
    for (int i = 0; i < rows.size(); ++i)
        if (QString::localeAwareCompare(sortingKey(rows[i].word), key) > 0)
            return i;
    return int(rows.size());
}

int rowChangingText(const QList<DicRow> &rows, const QString &text, bool engineRows)
{
    const QString padded = u' ' + text + u' ';
    for (int i = 0; i < rows.size(); ++i) {
        const DicRow &row = rows[i];
        // The engine's list has no markers: every entry is a whole word.
        const BoundaryMode mode = engineRows ? BoundaryMode::DelimiterBeforeAndAfter : entryMode(row.word);
        const QString key = engineRows ? row.word : stripMarkers(row.word, mode);
        if (replaceBounded(padded, key, row.pronunciation, mode, rowKeepsCase(row, engineRows)) != padded)
            return i;
    }
    return -1;
}

RepeatCheck findRepeatedRows(const QList<DicRow> &rows, bool engineRows, bool removeDifferent,
                             const ToolProgress &progress)
{
    // The first row of every word: comparing with it is comparing with the
    // first equal row above, at hash cost instead of a pass over the rows.
    QHash<QString, int> firstRow;
    auto wordOf = [engineRows](const DicRow &row) {
        return rowKeepsCase(row, engineRows) ? kCaseSensitiveMark + row.word : u'~' + row.word.toLower();
    };
    for (int i = int(rows.size()) - 1; i >= 0; --i)
        firstRow[wordOf(rows[i])] = i;

    RepeatCheck check;
    ProgressThrottle throttle(progress, 1000);
    const int total = int(rows.size());
    for (int i = total - 1; i >= 0; --i) {
        if ((total - i) % 20 == 0) {
            throttle.report(total - i, total,
                            [&] { return QStringLiteral("Поиск... %1%").arg(qint64(total - i) * 100 / total); });
            if (progress.isCancelled()) {
                check.cancelled = true;
                check.repeats.clear();
                return check;
            }
        }
        const int first = firstRow.value(wordOf(rows[i]));
        if (first >= i)
            continue;
        if (removeDifferent || rows[first].pronunciation == rows[i].pronunciation) {
            check.repeats.append(i);
        } else {
            check.conflictRow = i;
            check.repeats.clear();
            return check;
        }
    }
    std::reverse(check.repeats.begin(), check.repeats.end());
    return check;
}

QList<DicRow> withoutRows(const QList<DicRow> &rows, const QList<int> &removed)
{
    QList<DicRow> kept;
    kept.reserve(rows.size() - removed.size());
    qsizetype next = 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (next < removed.size() && removed[next] == i) {
            ++next;
            continue;
        }
        kept.append(rows[i]);
    }
    return kept;
}

bool appendDeletedKey(const QString &path, const QString &key)
{
    QByteArray bytes = UserFile::readBytes(path).value_or(QByteArray());
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    return UserFile::writeBytes(path, bytes + Codec::toCp1251(key) + "\r\n");
}
