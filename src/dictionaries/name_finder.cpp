#include "dictionaries/name_finder.h"

#include "dictionaries/dictionary_engine.h"

#include "common/replace_all.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include <QHash>
#include <QSet>

namespace {

QString replaced(QString text, const QStringList &finds, const QString &replacement)
{
    for (const QString &find : finds)
        text = replaceAll(text, find, replacement, true);
    return text;
}

QString replacedWhileFound(QString text, const QString &find, const QString &replacement)
{
    while (text.contains(find))
        text = replaceAll(text, find, replacement, true);
    return text;
}

// Counts words in the order they are first met.
class Tally
{
public:
    explicit Tally(bool caseBlind) : m_caseBlind(caseBlind) { }
    void add(const QString &word)
    {
        const QString key = m_caseBlind ? word.toLower() : word;
        const auto it = m_index.constFind(key);
        if (it != m_index.constEnd()) {
            ++m_list[*it].count;
            return;
        }
        m_index.insert(key, m_list.size());
        m_list.append({word, 1});
    }
    QList<WordCount> list() const { return m_list; }

private:
    bool m_caseBlind;
    QHash<QString, qsizetype> m_index;
    QList<WordCount> m_list;
};

bool isLatinLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

template <typename Removes> QList<WordCount> removeWhere(QList<WordCount> &list, Removes removes)
{
    QList<WordCount> kept, removed;
    for (const WordCount &w : list)
        (removes(w) ? removed : kept).append(w);
    list = kept;
    return removed;
}

} // namespace

QString normalizeForNameSearch(const QString &text)
{
    using Codec::cp1251Char;
    QString s = replaceAll(text, QStringLiteral("."), QStringLiteral(" ."), true);
    s = replaced(s, {QStringLiteral(","), QStringLiteral(":"), QStringLiteral(";")}, QStringLiteral(" "));
    s = replaceAll(s, QStringLiteral("!"), QStringLiteral(" !"), true);
    s = replaceAll(s, QStringLiteral("?"), QStringLiteral(" ?"), true);
    s = replaced(s, {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n")}, QStringLiteral(" |"));
    s = replaced(s, {QStringLiteral("\t"), cp1251Char(171), cp1251Char(187), QStringLiteral("\""), cp1251Char(160)},
                 QStringLiteral(" "));
    s = replaced(s, {cp1251Char(150), cp1251Char(151)}, QStringLiteral("-"));
    s = replaced(s, {cp1251Char(132), cp1251Char(147)}, QStringLiteral(" "));
    s = replaced(s,
                 {QStringLiteral(" - "), QStringLiteral("--"), QStringLiteral("- "), QStringLiteral(" -"),
                  QStringLiteral("("), QStringLiteral(")")},
                 QStringLiteral(" "));
    s = replacedWhileFound(s, QStringLiteral("..."), QStringLiteral(" . "));
    s = replacedWhileFound(s, QStringLiteral("  "), QStringLiteral(" "));
    s = replacedWhileFound(s, QStringLiteral(" | "), QStringLiteral(" |"));
    return s;
}

NameFinderResult findNames(const QString &text, const NameFinderOptions &options, const ToolProgress &progress)
{
    NameFinderResult result;
    const QStringList tokens = normalizeForNameSearch(text).split(u' ', Qt::SkipEmptyParts);
    Tally names(false), foreign(true), all(false);
    static const QStringList sentenceEnds = {QStringLiteral("."), QStringLiteral("!"), QStringLiteral("?"),
                                             QStringLiteral("-")};
    ProgressThrottle throttle(progress);
    QString previous;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens[i];
        // The text's first word opens a line too, though no line break marks it.
        const bool marked = token.startsWith(u'|');
        const bool startsLine = marked || i == 0;
        const QString word = marked ? token.mid(1) : token;
        if (token.size() >= 2 && !startsLine && token.front() == token.front().toUpper() && token != token.toUpper()
            && !sentenceEnds.contains(previous))
            names.add(token);
        if (!options.skipForeignWords && !word.isEmpty() && isLatinLetter(word.front()))
            foreign.add(word);
        if (!options.skipAllWords && word.size() > options.allWordsLongerThan)
            all.add(word);
        previous = token;
        throttle.report(i + 1, tokens.size(),
                        [&] { return QStringLiteral("Анализ текста: %1%").arg((i + 1) * 100 / tokens.size()); });
        if (progress.isCancelled()) {
            result.cancelled = true;
            break;
        }
    }
    result.names = names.list();
    result.foreignWords = foreign.list();
    result.allWords = all.list();
    return result;
}

QList<WordCount> removeRareWords(QList<WordCount> &list, int minimumCount)
{
    return removeWhere(list, [&](const WordCount &w) { return w.count < minimumCount; });
}

QList<WordCount> removeListedWords(QList<WordCount> &list, const QStringList &correctWords)
{
    return removeWhere(list, [&](const WordCount &w) { return correctWords.contains(w.word); });
}

QList<WordCount> removeExceptionKeys(QList<WordCount> &list, const QList<ExceptionRow> &rows)
{
    QSet<QString> exact, caseBlind;
    for (const ExceptionRow &row : rows) {
        if (row.flag == QLatin1String("/i"))
            caseBlind.insert(row.key.toLower());
        else
            exact.insert(row.key);
    }
    return removeWhere(
        list, [&](const WordCount &w) { return exact.contains(w.word) || caseBlind.contains(w.word.toLower()); });
}

QList<WordCount> removeHandledWords(QList<WordCount> &list, const DictionaryEngine &engine,
                                    const ToolProgress &progress)
{
    ProgressThrottle throttle(progress);
    qsizetype done = 0;
    const qsizetype total = list.size();
    return removeWhere(list, [&](const WordCount &w) {
        throttle.report(++done, total, [&] { return QStringLiteral("Фильтрация: %1%").arg(done * 100 / total); });
        return !progress.isCancelled() && engine.anyEntryChanges(u' ' + w.word + u' ');
    });
}

QStringList readCorrectWords(const QString &path)
{
    const std::optional<QByteArray> bytes = UserFile::readBytes(path);
    if (!bytes)
        return {};
    QStringList words = UserFile::splitLines(Codec::decodeUserFile(*bytes));
    words.removeAll(QString());
    return words;
}

bool writeCorrectWords(const QString &path, const QStringList &words)
{
    return UserFile::writeLines(path, words);
}
