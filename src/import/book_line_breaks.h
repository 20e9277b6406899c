#pragma once
// The editor's line-break conventions: every line ends in CR LF and at most
// three empty lines stand between two lines of text, so a run of blank lines
// in a book never becomes a long silence or an empty block.

#include <QString>

// Every CR LF, lone CR, lone LF and vertical tab (a manual line break in
// converted documents) becomes CR LF; the control characters 7, 1 and 21
// that converters leave behind are dropped; runs of five or more line
// breaks shrink to four.
QString normaliseLineBreaks(const QString &text);

// Shrinks every run of five or more CR LF to four CR LF.
QString limitEmptyLines(const QString &text);
