#pragma once
// The reader's stored font and colour numbers as the text view takes them.

#include "reader/reader_settings.h"

#include <QColor>
#include <QFont>

QFont readerFont(const ReaderSettings &settings);
void setReaderFont(ReaderSettings &settings, const QFont &font);

// Colour numbers are red + 256 * green + 65536 * blue.
QColor colourFromNumber(int number);
int colourNumber(const QColor &colour);
