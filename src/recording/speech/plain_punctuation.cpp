#include "recording/speech/plain_punctuation.h"

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
    const bool cyrillic = code >= 0x0400 && code <= 0x04FF;
    const bool latin = (code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z');
    return cyrillic || latin || c.isDigit();
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
    for (const QChar c : text) {
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
        const QString latin = plainLatin(c);
        plain += latin.isEmpty() ? QStringLiteral(" ") : latin;
    }
    return plain;
}
