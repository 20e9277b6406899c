#include "import/text_normalisation.h"

#include "import/chapter_number.h"

#include "common/replace_all.h"

#include <QStringList>

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
}

QString trimLeadingSpaces(const QString &text)
{
    qsizetype begin = 0;
    while (begin < text.size() && text.at(begin) == u' ')
        ++begin;
    return begin == 0 ? text : text.mid(begin);
}

bool isBlank(const QString &text)
{
    for (const QChar c : text)
        if (c != u' ')
            return false;
    return true;
}

QString collapseSpaces(const QString &text)
{
    if (!text.contains(QLatin1String("  ")))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        if (c != u' ' || result.isEmpty() || result.back() != u' ')
            result.append(c);
    return result;
}

namespace {

// Where a run of letters that is a Roman numeral ("II", "XIV") begins in
// `text`, with its length; such a run keeps its capitals through a change of
// case, or the voice reads "Ii" as an English word.
QList<std::pair<qsizetype, qsizetype>> romanNumeralRuns(const QString &text)
{
    QList<std::pair<qsizetype, qsizetype>> runs;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text.at(i).isLetter()) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && text.at(end).isLetter())
            ++end;
        if (isRomanNumeral(QStringView(text).mid(i, end - i)))
            runs.append({i, end - i});
        i = end;
    }
    return runs;
}

} // namespace

QString properCase(const QString &text)
{
    QString result = text.toLower();
    bool wordStart = true;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        if (wordStart)
            result[i] = c.toUpper();
        wordStart = false;
    }
    for (const auto &[start, length] : romanNumeralRuns(text))
        result.replace(start, length, text.mid(start, length));
    return result;
}

bool isDigitChar(const QString &c)
{
    return c.size() == 1 && c.at(0) >= u'0' && c.at(0) <= u'9';
}

namespace {

bool isDigitAt(const QString &s, qsizetype i)
{
    return i >= 0 && i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9';
}

} // namespace

QString fixYears(const QString &text)
{
    // The leading space gives a year at the very start a neighbour.
    QString s = u' ' + text;
    qsizetype p = s.indexOf(u'2', 1);
    while (p >= 0) {
        const bool year = !isDigitAt(s, p - 1) && isDigitAt(s, p + 1) && isDigitAt(s, p + 2) && isDigitAt(s, p + 3)
                          && !isDigitAt(s, p + 4);
        if (!year) {
            p = s.indexOf(u'2', p + 1);
            continue;
        }
        QString rest = s.mid(p + 1, 3);
        while (rest.startsWith(u'0'))
            rest.remove(0, 1);
        const QString words = QStringLiteral(" две тысячи ") + rest;
        s.replace(p, 4, words);
        p = s.indexOf(u'2', p + words.size());
    }
    return s.mid(1);
}

std::optional<QString> cleanTitle(const QString &text, UserDialogs &dialogs)
{
    static const QStringList kSeparators = {
        QStringLiteral("\r\n"), QStringLiteral("."), QStringLiteral(";"),  QStringLiteral(","),
        QStringLiteral("?"),    QStringLiteral("!"), QStringLiteral("\\"), QStringLiteral("/"),
        QStringLiteral(":"),    QStringLiteral("$"), QStringLiteral("%"),  QStringLiteral("&"),
        QStringLiteral("@"),    QStringLiteral("*"), QStringLiteral("#"),  QStringLiteral("\"")};
    QString t = text;
    for (const QString &separator : kSeparators)
        t = replaceAll(t, separator, QStringLiteral(" - "), true);
    // A lone CR or LF would make a title that no folder name or INI value can hold.
    t.replace(u'\r', QStringLiteral(" - "));
    t.replace(u'\n', QStringLiteral(" - "));
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && (t.at(begin) == u'-' || t.at(begin) == u' '))
        ++begin;
    while (end > begin && (t.at(end - 1) == u'-' || t.at(end - 1) == u' '))
        --end;
    t = t.mid(begin, end - begin);
    while (t.contains(QLatin1String(" -  - ")))
        t = replaceAll(t, QStringLiteral(" -  - "), QStringLiteral(" - "), true);
    t = trimSpaces(collapseSpaces(t));
    if (t.size() > kMaxTitleLength) {
        dialogs.show({QStringLiteral("Неправильное название книги"),
                      QStringLiteral("Слишком длинное название книги!\nПроверьте выделенный фрагмент!"),
                      DialogIcon::Exclamation, DialogButtons::Ok});
        return std::nullopt;
    }
    return t;
}
