#pragma once
// The Russian letters as the stress lexicon sees them: a word is looked up in
// lower case with "ё" written as "е".

#include <QChar>
#include <QString>
#include <QStringView>

inline bool isRussianLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
}

inline bool isYo(QChar c)
{
    return c.unicode() == 0x0451 || c.unicode() == 0x0401;
}

inline bool isRussianVowelLetter(QChar c)
{
    switch (c.unicode()) {
    case u'а':
    case u'е':
    case u'ё':
    case u'и':
    case u'о':
    case u'у':
    case u'ы':
    case u'э':
    case u'ю':
    case u'я':
    case u'А':
    case u'Е':
    case u'Ё':
    case u'И':
    case u'О':
    case u'У':
    case u'Ы':
    case u'Э':
    case u'Ю':
    case u'Я': return true;
    default: return false;
    }
}

// Lower case, "ё" as "е"; anything else as it is.
inline QChar foldedRussianLetter(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x0410 && u <= 0x042F)
        return QChar(char16_t(u + 0x20));
    if (u == 0x0401 || u == 0x0451)
        return QChar(u'е');
    return c;
}

// The word with every Russian letter folded: how words are compared and
// looked up.
inline QString foldedRussianWord(QStringView word)
{
    QString result;
    result.reserve(word.size());
    for (const QChar c : word)
        result += foldedRussianLetter(c);
    return result;
}

inline int russianVowelCount(QStringView word)
{
    int count = 0;
    for (const QChar c : word)
        count += isRussianVowelLetter(c) ? 1 : 0;
    return count;
}
