#pragma once
// A line of speech text cut into what the number pass looks at: words,
// digit runs, single signs, line breaks and protected markup (voice markers, XML tags,
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
// also group the digits of large numbers (and the entities of such spaces,
// "&nbsp;", which are no markup to the pass).
bool isTokenBlank(QChar c);

// A stretch of the text, [start, end).
struct TextStretch
{
    qsizetype start;
    qsizetype end;
};

// The lines of the text that hold a digit, a letter that may begin a Roman
// numeral or the word "тысячи" outside markup: the number pass looks at nothing else, and no
// reading of a number looks past the end of its line. A line break inside
// markup (a tag over two lines) ends no line.
QList<TextStretch> linesWithNumbers(const QString &text);

// The tokens of a stretch; a word is a run of letters with the stress marks
// after them ("го+ду").
QList<TextToken> numberTokens(const QString &text, TextStretch stretch);
