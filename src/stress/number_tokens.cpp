#include "stress/number_tokens.h"

#include "stress/protected_text.h"

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

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QList<TextToken> numberTokens(const QString &text)
{
    QList<TextToken> tokens;
    tokens.reserve(text.size() / 3);
    const qsizetype n = text.size();
    qsizetype i = 0;
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
            tokens.append({TokenKind::Markup, start, markupEnd});
            i = markupEnd;
            continue;
        }
        tokens.append({TokenKind::Sign, start, ++i});
    }
    return tokens;
}
