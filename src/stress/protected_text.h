#pragma once
// The stretches of a speech text that the text passes (stress, numbers) never
// touch: voice markers and other braces ("{речь->}"), SAPI XML tags, entities
// and phoneme input ("[[...]]"). The voice reads them as markup, so a letter
// or digit inside one is not text.

#include <QString>

// Where a stretch the passes must not touch ends, when one begins at `at`;
// -1 when none begins there (or it is never closed).
qsizetype protectedEnd(const QString &text, qsizetype at);

// A stress mark or accent as the stress dictionaries write it after a vowel.
inline bool isStressMark(QChar c)
{
    return c == u'+' || c == u'`' || c.unicode() == 0x0300 || c.unicode() == 0x0301;
}
