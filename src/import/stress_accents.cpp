#include "import/stress_accents.h"

namespace {

constexpr char16_t kCombiningGrave = 0x0300;
constexpr char16_t kCombiningAcute = 0x0301;

bool isCyrillic(QChar c)
{
    return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF;
}

bool isRussianVowel(QChar c)
{
    return QStringLiteral("аеёиоуыэюяАЕЁИОУЫЭЮЯ").contains(c);
}

// The Cyrillic vowel a Latin letter stands for, or a null QChar.
QChar cyrillicTwin(QChar c)
{
    static const QString latin = QStringLiteral("aeoyAEOYáéóýúÁÉÓÝÚ");
    static const QString cyrillic = QStringLiteral("аеоуАЕОУаеоуиАЕОУИ");
    const qsizetype at = latin.indexOf(c);
    return at < 0 ? QChar() : cyrillic.at(at);
}

bool hasAcute(QChar c)
{
    return QStringLiteral("áéóýúÁÉÓÝÚ").contains(c);
}

bool isWordCharacter(QChar c)
{
    return c.isLetter() || c.unicode() == kCombiningAcute || c.unicode() == kCombiningGrave;
}

bool isCyrillicWord(QStringView word)
{
    for (const QChar c : word)
        if (isCyrillic(c) && c.isLetter())
            return true;
    return false;
}

void rewriteWord(QStringView word, QString &out)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        const bool markFollows =
            i + 1 < word.size()
            && (word[i + 1].unicode() == kCombiningAcute || word[i + 1].unicode() == kCombiningGrave);
        if (markFollows && (isRussianVowel(c) || (!cyrillicTwin(c).isNull() && !hasAcute(c)))) {
            out += isRussianVowel(c) ? c : cyrillicTwin(c);
            out += u'+';
            ++i;
        } else if (hasAcute(c)) {
            out += cyrillicTwin(c);
            out += u'+';
        } else if (c == QChar(u'ѐ') || c == QChar(u'Ѐ')) {
            out += c == QChar(u'ѐ') ? u'е' : u'Е';
            out += u'+';
        } else if (c == QChar(u'ѝ') || c == QChar(u'Ѝ')) {
            out += c == QChar(u'ѝ') ? u'и' : u'И';
            out += u'+';
        } else {
            out += c;
        }
    }
}

bool mayHoldAccents(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() == kCombiningAcute || c.unicode() == kCombiningGrave || hasAcute(c) || c == QChar(u'ѐ')
            || c == QChar(u'Ѐ') || c == QChar(u'ѝ') || c == QChar(u'Ѝ'))
            return true;
    return false;
}

} // namespace

QString stressAccentsAsMarks(const QString &text)
{
    if (!mayHoldAccents(text))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size();) {
        if (!isWordCharacter(text.at(i))) {
            out += text.at(i++);
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && isWordCharacter(text.at(end)))
            ++end;
        const QStringView word = QStringView(text).mid(i, end - i);
        if (isCyrillicWord(word))
            rewriteWord(word, out);
        else
            out += word;
        i = end;
    }
    return out;
}
