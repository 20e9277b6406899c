#include "recording/speech/plain_punctuation.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

struct SignAsText
{
    char16_t sign;
    const char16_t *text;
};

// What each sign becomes; the words have blanks around them so they never
// join the number or word beside them.
constexpr SignAsText kSigns[] = {
    {u'«', u"\""},      {u'»', u"\""},         {u'„', u"\""},          {u'“', u"\""},         {u'”', u"\""},
    {u'‟', u"\""},      {u'″', u"\""},         {u'‘', u"'"},           {u'’', u"'"},          {u'‚', u"'"},
    {u'‛', u"'"},       {u'′', u"'"},          {u'—', u"-"},           {u'–', u"-"},          {u'‒', u"-"},
    {u'―', u"-"},       {u'‐', u"-"},          {u'‑', u"-"},           {u'−', u"-"},          {u'…', u"..."},
    {u'№', u" номер "}, {u'§', u" параграф "}, {u'%', u" процентов "}, {u'°', u" градусов "}, {u'\u00AD', u""},
    {u'\u200B', u""},   {u'\uFEFF', u""},
};

// The ASCII signs every front end reads as punctuation (or, for "+", as
// our stress mark, which the voice's stress form deals with later).
bool isPlainSign(QChar c)
{
    return c.unicode() < 128 && QStringLiteral(".,;:!?()[]-'\"+").contains(c);
}

bool isKeptLetter(QChar c)
{
    const ushort code = c.unicode();
    const bool russian = (code >= 0x0410 && code <= 0x044F) || code == 0x0401 || code == 0x0451;
    const bool latin = (code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z');
    return russian || latin || (code < 128 && c.isDigit());
}

// Letters of other Cyrillic alphabets and of the old spelling as the Russian
// letter a Russian reader says for them; nothing for any other letter.
QString russianLetterFor(QChar c)
{
    static const std::pair<char16_t, char16_t> kLetters[] = {
        {u'і', u'и'}, {u'ї', u'и'}, {u'є', u'е'}, {u'ґ', u'г'}, {u'ў', u'у'}, {u'ѣ', u'е'}, {u'ѳ', u'ф'}, {u'ѵ', u'и'},
        {u'І', u'И'}, {u'Ї', u'И'}, {u'Є', u'Е'}, {u'Ґ', u'Г'}, {u'Ў', u'У'}, {u'Ѣ', u'Е'}, {u'Ѳ', u'Ф'}, {u'Ѵ', u'И'},
    };
    for (const auto &[letter, russian] : kLetters)
        if (c.unicode() == letter)
            return QString(QChar(russian));
    return QString();
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

// Signs that may stand inside a word: the hyphen, the apostrophe of
// "д'Артаньян" and the "+" of a stress mark.
bool joinsWord(QChar c)
{
    return c == u'-' || c == u'\'' || c == u'+';
}

bool opensSomething(QChar c)
{
    return c == u'(' || c == u'[';
}

// A word with signs inside ("т.е.", "3,5", "слово(да)") as several words,
// each sign ending the word before it (an opening bracket starting the
// word after it).
QString wordCutAtSigns(const QString &core)
{
    QString out;
    for (const QChar c : core) {
        if (isWordCharacter(c) || joinsWord(c)) {
            out += c;
        } else if (opensSomething(c)) {
            out += u' ';
            out += c;
        } else {
            out += c;
            out += u' ';
        }
    }
    return out.simplified();
}

// A front end that reads punctuation only where it ends or begins a word
// (Festival's Russian voice fails on a whole stretch at "да , нет",
// "т.е." or "...и") gets every sign where it can read it: signs standing
// alone join the word before them (a lone dash stays, as a pause), signs
// inside a word cut it, and a sign that cannot begin a word is dropped there.
QString signsOnWordEdges(const QString &text)
{
    QStringList words;
    for (const QString &token : text.split(u' ', Qt::SkipEmptyParts)) {
        const auto first = std::find_if(token.cbegin(), token.cend(), isWordCharacter);
        if (first == token.cend()) {
            if (std::all_of(token.cbegin(), token.cend(), [](QChar c) { return c == u'-'; }))
                words.append(QStringLiteral("-"));
            else if (!words.isEmpty() && words.last() != u"-")
                for (const QChar c : token)
                    if (!opensSomething(c))
                        words.last() += c;
            continue;
        }
        const qsizetype begin = first - token.cbegin();
        qsizetype end = token.size();
        while (!isWordCharacter(token.at(end - 1)))
            --end;
        QString word;
        for (const QChar c : token.left(begin))
            if (opensSomething(c) || c == u'"' || c == u'\'')
                word += c;
        word += wordCutAtSigns(token.mid(begin, end - begin));
        // A dash after a word's last letter ("Антихрист)-") is no
        // punctuation any front end reads there.
        for (const QChar c : token.mid(end))
            if (!opensSomething(c) && c != u'-')
                word += c;
        words.append(word);
    }
    return words.join(u' ');
}

// A Latin letter with an accent as its plain letter ("é" → "e"); nothing
// for any other letter.
QString plainLatin(QChar c)
{
    const QString parts = QString(c).normalized(QString::NormalizationForm_D);
    if (parts.size() < 2 || parts.at(0).unicode() >= 128 || !parts.at(0).isLetter())
        return QString();
    return parts.left(1);
}

} // namespace

QString plainPunctuation(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    // Composed first, so that "и" with a breve is "й" again; a mark left
    // over (a stress accent over a Russian vowel) goes without a trace,
    // as a blank would cut its word in two.
    for (const QChar c : text.normalized(QString::NormalizationForm_C)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (isKeptLetter(c) || isPlainSign(c)) {
            plain += c;
            continue;
        }
        if (c.isSpace()) {
            plain += u' ';
            continue;
        }
        const auto *known = std::find_if(std::begin(kSigns), std::end(kSigns),
                                         [c](const SignAsText &sign) { return sign.sign == c.unicode(); });
        if (known != std::end(kSigns)) {
            plain += QString::fromUtf16(known->text);
            continue;
        }
        QString letter = plainLatin(c);
        if (letter.isEmpty())
            letter = russianLetterFor(c);
        plain += letter.isEmpty() ? QStringLiteral(" ") : letter;
    }
    return signsOnWordEdges(plain);
}
