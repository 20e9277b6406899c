#include "import/chapter_number.h"

#include <QRegularExpression>

#include <optional>

namespace {

const QString kAnyClass = QStringLiteral("{номер}");
const QString kRomanClass = QStringLiteral("{римское}");
// A chapter number in words has at most this many words ("сто двадцать первая").
constexpr int kMaxNumberWords = 4;

bool isRomanLetter(QChar c)
{
    switch (c.unicode()) {
    case u'I':
    case u'V':
    case u'X':
    case u'L':
    case u'C':
    case u'D':
    case u'M':
    case u'\u0425': // Cyrillic Х, typed for X
    case u'\u0406': // Cyrillic І, typed for I
        return true;
    default: return false;
    }
}

QChar latinRomanLetter(QChar c)
{
    if (c == QChar(u'\u0425'))
        return u'X';
    if (c == QChar(u'\u0406'))
        return u'I';
    return c;
}

bool endsWord(QStringView line, qsizetype at)
{
    return at >= line.size() || !line[at].isLetterOrNumber();
}

qsizetype runLength(QStringView line, qsizetype at, bool (*inRun)(QChar))
{
    qsizetype end = at;
    while (end < line.size() && inRun(line[end]))
        ++end;
    return end - at;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
bool isLetter(QChar c)
{
    return c.isLetter();
}

void addWordNumbers(QStringView line, qsizetype at, QList<qsizetype> &lengths)
{
    qsizetype end = at;
    for (int words = 0; words < kMaxNumberWords; ++words) {
        const qsizetype length = runLength(line, end, isLetter);
        if (length == 0 || !endsWord(line, end + length) || !isNumberWord(line.mid(end, length)))
            return;
        end += length;
        lengths.append(end - at);
        if (end + 1 >= line.size() || line[end] != u' ')
            return;
        ++end;
    }
}

} // namespace

std::optional<ChapterNumberKind> chapterNumberClassAt(QStringView pattern, qsizetype at, qsizetype &tokenLength)
{
    if (at >= pattern.size() || pattern[at] != u'{')
        return std::nullopt;
    if (pattern.mid(at).startsWith(kAnyClass)) {
        tokenLength = kAnyClass.size();
        return ChapterNumberKind::Any;
    }
    if (pattern.mid(at).startsWith(kRomanClass)) {
        tokenLength = kRomanClass.size();
        return ChapterNumberKind::Roman;
    }
    return std::nullopt;
}

bool isRomanNumeral(QStringView text)
{
    static const QRegularExpression roman(QStringLiteral("^M{0,4}(CM|CD|D?C{0,3})(XC|XL|L?X{0,3})(IX|IV|V?I{0,3})$"));
    if (text.isEmpty())
        return false;
    QString latin;
    latin.reserve(text.size());
    for (const QChar c : text) {
        if (!isRomanLetter(c))
            return false;
        latin.append(latinRomanLetter(c));
    }
    return roman.match(latin).hasMatch();
}

bool isNumberWord(QStringView word)
{
    // Stems with the endings every ordinal takes; "третий" declines on its own.
    static const QRegularExpression number(
        QStringLiteral("^(?:"
                       "(?:перв|втор|четверт|пят|шест|седьм|восьм|девят|десят"
                       "|(?:одинн|двен|трин|четырн|пятн|шестн|семн|восемн|девятн)адцат|двадцат|тридцат|сороков"
                       "|(?:пяти|шести|семи|восьми)десят|девяност|сот)"
                       "(?:ый|ой|ий|ая|ое|ого|ому|ым|ом|ую|ые|ых|ыми)"
                       "|трет(?:ий|ья|ье|ьего|ьему|ьим|ьем|ьей|ью|ьи|ьих)"
                       "|один|одна|одно|два|две|три|четыре|пять|шесть|семь|восемь|девять|десять"
                       "|(?:одинн|двен|трин|четырн|пятн|шестн|семн|восемн|девятн)адцать|двадцать|тридцать|сорок"
                       "|(?:пять|шесть|семь|восемь)десят|девяносто|сто"
                       ")$"));
    QString lower = word.toString().toLower();
    lower.replace(u'ё', u'е');
    return number.match(lower).hasMatch();
}

QList<qsizetype> chapterNumberLengthsAt(QStringView line, qsizetype at, ChapterNumberKind kind)
{
    QList<qsizetype> lengths;
    if (at >= line.size() || (at > 0 && line[at - 1].isLetterOrNumber()))
        return lengths;
    const qsizetype roman = runLength(line, at, isRomanLetter);
    if (roman > 0 && endsWord(line, at + roman) && isRomanNumeral(line.mid(at, roman)))
        lengths.append(roman);
    if (kind == ChapterNumberKind::Roman)
        return lengths;
    const qsizetype digits = runLength(line, at, isDigit);
    if (digits > 0 && endsWord(line, at + digits))
        lengths.append(digits);
    if (lengths.isEmpty())
        addWordNumbers(line, at, lengths);
    return lengths;
}
