#pragma once
// Which single-byte Cyrillic code page a book is written in, judged by its
// letters: each code page's reading is scored as Russian prose
// (russian_text_likelihood.h) and the likeliest wins. A code page's own
// letters map onto other letters, capitals or signs in every other one, so
// a wrong reading costs far more than the right one: KOI8-R read as
// Windows-1251 is mostly capitals with a small first letter ("мЕЧ
// оЙЛПМБЕЧЙЮ"), CP866 read so has signs inside words.

#include "import/russian_text_likelihood.h"

#include "common/text_codec.h"

#include <QByteArray>

struct CodePageGuess
{
    Codec::CodePage codePage = Codec::CodePage::Windows1251;
    TextLikelihood likelihood; // of that reading
};

// The code page whose reading of `bytes` is most like Russian; where two
// read alike (a text without capitals reads the same in Windows-1251 and
// MacCyrillic) the commoner one. A big file is judged on a sample.
CodePageGuess guessCodePage(const QByteArray &bytes);

// How like Russian `bytes` read in `codePage` are, on the same sample.
TextLikelihood codePageLikelihood(const QByteArray &bytes, Codec::CodePage codePage);
