#include "import/line_cleanup.h"

#include "import/text_normalisation.h"

#include "common/replace_all.h"
#include "common/text_codec.h"

bool startsIndented(const QString &line)
{
    if (line.isEmpty())
        return false;
    const QChar c = line.front();
    return c == u' ' || c == u'\t' || c == Codec::cp1251Char(160);
}

namespace {

// One space, the three dots spelled out, one kind of quote and of dash.
QString unifyTypography(const QString &line)
{
    const QChar quote = u'"';
    QString l = line;
    l.replace(u'\t', u' ');
    l.replace(Codec::cp1251Char(160), u' ');
    l = collapseSpaces(l);
    l.replace(Codec::cp1251Char(133), QStringLiteral("..."));
    l.replace(Codec::cp1251Char(171), quote);
    l.replace(Codec::cp1251Char(187), quote);
    l.replace(Codec::cp1251Char(150), u'-');
    l.replace(Codec::cp1251Char(151), u'-');
    l.replace(Codec::cp1251Char(132), quote);
    l.replace(Codec::cp1251Char(147), quote);
    return replaceAll(l, QStringLiteral("--"), QStringLiteral("-"), true);
}

// " ." loses its space unless the space follows a dash ("- ." stays).
QString removeSpacesBeforeFullStops(const QString &line)
{
    QString result;
    result.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool spaceBeforeStop = line.at(i) == u' ' && i + 1 < line.size() && line.at(i + 1) == u'.';
        if (spaceBeforeStop && !(i > 0 && line.at(i - 1) == u'-'))
            continue;
        result.append(line.at(i));
    }
    return result;
}

} // namespace

CleanLine cleanUpLine(const QString &line, const QString &next, const LineCleanupOptions &options)
{
    CleanLine result;
    QString l = unifyTypography(line);
    if (options.removeHyphens && !l.endsWith(QLatin1String(" -")) && l.endsWith(u'-') && !next.isEmpty()
        && !startsIndented(next)) {
        l.chop(1);
        result.joinsNext = true;
    }
    l = trimLeadingSpaces(l);
    if (options.dialogueStartsWithQuotes && l.startsWith(u'"'))
        l.replace(0, 1, QStringLiteral("- "));
    l.replace(u'"', u' ');
    l = removeSpacesBeforeFullStops(collapseSpaces(l));
    l = replaceAll(l, QStringLiteral(".- "), QStringLiteral(". - "), true);
    l = replaceAll(l, QStringLiteral(",- "), QStringLiteral(", - "), true);
    l = replaceAll(l, QStringLiteral("!- "), QStringLiteral("! - "), true);
    l = replaceAll(l, QStringLiteral("?- "), QStringLiteral("? - "), true);
    if (l.endsWith(QLatin1String(" -")))
        l.append(u' ');
    result.text = l;
    return result;
}

bool endsSentence(const QString &line)
{
    static const QString closers = QStringLiteral("\"')]}") + Codec::cp1251Char(187) + Codec::cp1251Char(147)
                                   + Codec::cp1251Char(148) + Codec::cp1251Char(146);
    qsizetype end = line.size();
    while (end > 0 && (line.at(end - 1).isSpace() || closers.contains(line.at(end - 1))))
        --end;
    if (end == 0)
        return false;
    const QChar last = line.at(end - 1);
    return last == u'.' || last == u'!' || last == u'?' || last == Codec::cp1251Char(133);
}
