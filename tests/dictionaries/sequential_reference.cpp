#include "sequential_reference.h"

#include "common/replace_all.h"

#include <QList>

namespace {

bool isDelimiterChar(const QString &piece, bool last)
{
    if (piece.isEmpty())
        return false; // an absent neighbour is never a delimiter
    const QChar c = last ? piece.back() : piece.front();
    return QStringLiteral(" ,.\r\n!?:;()\"").contains(c);
}

} // namespace

QString referenceReplaceBounded(const QString &text, const QString &key, const QString &replacement, int mode,
                                bool caseSensitive)
{
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (key.isEmpty() || !text.contains(key, cs))
        return text;
    // Split at every occurrence, left to right, without overlap.
    QStringList pieces;
    qsizetype from = 0;
    for (qsizetype hit = text.indexOf(key, 0, cs); hit >= 0; hit = text.indexOf(key, from, cs)) {
        pieces.append(text.mid(from, hit - from));
        from = hit + key.size();
    }
    pieces.append(text.mid(from));

    QString result = pieces[0];
    qsizetype pos = pieces[0].size(); // 0-based start of the current occurrence
    for (qsizetype k = 1; k < pieces.size(); ++k) {
        const bool b = isDelimiterChar(pieces[k - 1], true);
        const bool a = isDelimiterChar(pieces[k], false);
        bool replace = false;
        switch (mode) {
        case 0: replace = true; break;
        case 1: replace = b; break;
        case 2: replace = a; break;
        case 3: replace = b && a; break;
        case 4: replace = !b && !a; break;
        case 5: replace = b && !a; break;
        case 6: replace = !b && a; break;
        case 7: replace = !a; break;
        case 8: replace = !b; break;
        default: replace = false; break;
        }
        result += replace ? replacement : text.mid(pos, key.size());
        result += pieces[k];
        pos += pieces[k].size() + key.size();
    }
    return result;
}

QString referenceApply(const DictionaryTable &table, const QString &text)
{
    QString t = u' ' + text + u' ';
    for (const DictionaryEntry &entry : table) {
        if (entry.mode == BoundaryMode::Anywhere)
            t = replaceAll(t, entry.key, entry.replacement, entry.caseSensitive);
        else
            t = referenceReplaceBounded(t, entry.key, entry.replacement, qToUnderlying(entry.mode),
                                        entry.caseSensitive);
    }
    return t.size() < 2 ? QString() : t.mid(1, t.size() - 2);
}
