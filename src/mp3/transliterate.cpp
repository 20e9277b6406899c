#include "mp3/transliterate.h"

#include <QHash>

namespace {

const QHash<QChar, QString> &latinLetters()
{
    static const QHash<QChar, QString> table = [] {
        const QString cyrillic = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
        const char *latin[] = {"A", "B", "V", "G", "D", "E", "E", "J",  "Z",  "I",  "Y", "K", "L", "M", "N", "O", "P",
                               "R", "S", "T", "U", "F", "H", "C", "CH", "SH", "SH", "",  "Y", "",  "E", "U", "JA"};
        QHash<QChar, QString> letters;
        for (qsizetype i = 0; i < cyrillic.size(); ++i) {
            const QString capital = QString::fromLatin1(latin[i]);
            letters.insert(cyrillic[i], capital);
            letters.insert(cyrillic[i].toLower(), capital.toLower());
        }
        return letters;
    }();
    return table;
}

} // namespace

QString transliterate(const QString &text)
{
    // One pass letter by letter gives the same result as replacing each
    // letter in turn: no Latin output is a Cyrillic input.
    const auto &letters = latinLetters();
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        const auto it = letters.constFind(c);
        if (it == letters.constEnd())
            result.append(c);
        else
            result.append(*it);
    }
    return result;
}
