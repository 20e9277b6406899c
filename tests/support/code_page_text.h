#pragma once
// Russian text written in one of the Cyrillic code pages, as old e-text
// libraries store it: the program's own decoding turned around, so fixtures
// are made from a sentence in the test instead of kept as files. A
// character the code page lacks ("—" in KOI8-R) becomes "?".

#include "common/text_codec.h"

#include <QByteArray>
#include <QHash>
#include <QString>

inline QByteArray inCodePage(const QString &text, Codec::CodePage codePage)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString characters = Codec::fromCodePage(all, codePage);
    QHash<QChar, char> codes;
    for (int b = 0; b < 256; ++b)
        codes.insert(characters[b], static_cast<char>(b));
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(codes.value(c, '?'));
    return bytes;
}
