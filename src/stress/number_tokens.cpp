#include "stress/number_tokens.h"

#include "stress/protected_text.h"
#include "stress/roman_numerals.h"

bool isTokenBlank(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case 0x00A0: // no-break space
    case 0x2007: // figure space
    case 0x2009: // thin space
    case 0x202F: // narrow no-break space
        return true;
    default: return false;
    }
}

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c.unicode() == 0x2028 || c.unicode() == 0x2029;
}

bool isSpaceEntity(QStringView entity)
{
    for (const char16_t *space : {u"&nbsp;", u"&#160;", u"&#xA0;", u"&#xa0;", u"&thinsp;", u"&#8201;", u"&ensp;",
                                  u"&emsp;", u"&#8239;", u"&#32;"})
        if (entity == QStringView(space))
            return true;
    return false;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QList<TextStretch> linesWithNumbers(const QString &text)
{
    QList<TextStretch> lines;
    const qsizetype n = text.size();
    qsizetype lineStart = 0;
    bool candidate = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (isLineBreak(c)) {
            if (candidate)
                lines.append({lineStart, i});
            lineStart = i + 1;
            candidate = false;
        } else if (c == u'{' || c == u'[' || c == u'<' || c == u'&') {
            const qsizetype markupEnd = protectedEnd(text, i);
            if (markupEnd > 0) {
                i = markupEnd;
                continue;
            }
        } else if (isAsciiDigit(c) || mayStartRomanNumeral(c)
                   || (c == u'т' && QStringView(text).mid(i, 6) == u"тысячи")) {
            candidate = true; // "тысячи": 2000 as the editor's years option writes it
        }
        ++i;
    }
    if (candidate)
        lines.append({lineStart, n});
    return lines;
}

QList<TextToken> numberTokens(const QString &text, TextStretch stretch)
{
    QList<TextToken> tokens;
    tokens.reserve((stretch.end - stretch.start) / 4 + 4);
    const qsizetype n = stretch.end;
    qsizetype i = stretch.start;
    while (i < n) {
        const QChar c = text.at(i);
        const qsizetype start = i;
        if (isTokenBlank(c)) {
            ++i;
            continue;
        }
        if (c.isLetter()) {
            while (i < n && (text.at(i).isLetter() || (isStressMark(text.at(i)) && text.at(i - 1).isLetter())))
                ++i;
            tokens.append({TokenKind::Word, start, i});
            continue;
        }
        if (isAsciiDigit(c)) {
            while (i < n && isAsciiDigit(text.at(i)))
                ++i;
            tokens.append({TokenKind::Number, start, i});
            continue;
        }
        if (isLineBreak(c)) {
            tokens.append({TokenKind::LineBreak, start, ++i});
            continue;
        }
        const qsizetype markupEnd = protectedEnd(text, i);
        if (markupEnd > 0) {
            // "в&nbsp;2002 году": an entity of a space is a blank.
            if (!isSpaceEntity(QStringView(text).mid(start, markupEnd - start)))
                tokens.append({TokenKind::Markup, start, markupEnd});
            i = markupEnd;
            continue;
        }
        tokens.append({TokenKind::Sign, start, ++i});
    }
    return tokens;
}
