#pragma once
// A speech text cut into what the number pass looks at: words, digit runs,
// single signs, line breaks and protected markup (voice markers, XML tags,
// entities, phoneme input), each as a stretch of the text. Blanks separate
// tokens and are not tokens, so two tokens side by side with nothing between
// them are "adjacent" ("5-й", "г.").

#include <QList>
#include <QString>

enum class TokenKind { Word, Number, Sign, LineBreak, Markup };

struct TextToken
{
    TokenKind kind;
    qsizetype start;
    qsizetype end;
};

// Blanks between tokens: spaces, tabs and the no-break and thin spaces that
// also group the digits of large numbers.
bool isTokenBlank(QChar c);

// A word is a run of letters with the stress marks after them ("го+ду").
QList<TextToken> numberTokens(const QString &text);
