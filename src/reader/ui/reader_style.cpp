#include "reader/ui/reader_style.h"

QFont readerFont(const ReaderSettings &settings)
{
    QFont font(settings.fontName);
    font.setPointSizeF(settings.size);
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    return font;
}

void setReaderFont(ReaderSettings &settings, const QFont &font)
{
    settings.fontName = font.family();
    settings.bold = font.bold();
    settings.italic = font.italic();
    if (font.pointSizeF() > 0)
        settings.size = font.pointSizeF();
}

QColor colourFromNumber(int number)
{
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

int colourNumber(const QColor &colour)
{
    return colour.red() + (colour.green() << 8) + (colour.blue() << 16);
}
