#pragma once
// How much a decoded text looks like Russian, for choosing the code page a
// book is read in. Only the characters beyond ASCII are judged (ASCII reads
// the same in every code page): each costs the bits a model of Russian prose
// gives it. A letter costs by the letter before it (letter pairs counted in
// a novel) and by its case where it stands (a capital after a small letter
// inside a word is rare, a small letter after a full stop unusual); a dash,
// quote or ellipsis costs little where such a mark belongs and much inside a
// word; anything else, such as box-drawing or Serbian letters, costs most.
// Russian prose costs 3.5 to 5 bits a character; the same bytes read in a
// wrong code page cost 8 to 14, random bytes about 10.

#include <QStringView>

struct TextLikelihood
{
    double bits = 0;          // the cost of the judged characters
    qsizetype characters = 0; // characters beyond ASCII, the only ones judged

    double bitsPerCharacter() const;
    // The text has enough letters to judge and most of them are not where
    // Russian would have them: a wrong code page, or no Russian text at all.
    bool implausible() const;
};

TextLikelihood russianTextLikelihood(QStringView text);
