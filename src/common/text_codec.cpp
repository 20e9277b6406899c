#include "common/text_codec.h"

#include <QStringDecoder>

#include <array>
#include <memory>

namespace Codec {
namespace {

constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr std::array<char16_t, 128> kCp866High = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C,
    0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429,
    0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436,
    0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407,
    0x0457, 0x040E, 0x045E, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

QString decodeSingleByte(const QByteArray &bytes, const std::array<char16_t, 128> &high)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = QChar(b < 128 ? char16_t(b) : high[b - 128]);
    }
    return text;
}

// Unicode -> Windows-1251 for the whole BMP; 0 marks "no such character"
// (code 0 itself maps to NUL and is handled before the lookup).
const std::array<unsigned char, 0x10000> &reverseCp1251()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<unsigned char, 0x10000>>();
        t->fill(0);
        for (int b = 1; b < 128; ++b)
            (*t)[b] = static_cast<unsigned char>(b);
        for (int b = 128; b < 256; ++b)
            (*t)[kCp1251High[b - 128]] = static_cast<unsigned char>(b);
        return t;
    }();
    return *table;
}

} // namespace

QString fromCp1251(const QByteArray &bytes)
{
    return decodeSingleByte(bytes, kCp1251High);
}

QString fromCp866(const QByteArray &bytes)
{
    return decodeSingleByte(bytes, kCp866High);
}

QByteArray toCp1251(const QString &text)
{
    const auto &table = reverseCp1251();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == 0) {
            bytes.append('\0');
            continue;
        }
        // A surrogate pair is one character outside the code page: one "?".
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode()))
            ++i;
        const unsigned char b = table[u];
        bytes.append(b ? static_cast<char>(b) : '?');
    }
    return bytes;
}

bool fitsCp1251(const QString &text)
{
    const auto &table = reverseCp1251();
    for (const QChar c : text)
        if (c.unicode() != 0 && table[c.unicode()] == 0)
            return false;
    return true;
}

QByteArray encodeUserFile(const QString &text)
{
    if (fitsCp1251(text))
        return toCp1251(text);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QChar cp1251Char(int code)
{
    if (code < 0 || code > 255)
        return QChar();
    return QChar(code < 128 ? char16_t(code) : kCp1251High[code - 128]);
}

int cp1251Code(QChar c)
{
    if (c.unicode() == 0)
        return 0;
    const unsigned char b = reverseCp1251()[c.unicode()];
    return b ? b : -1;
}

bool looksLikeUtf8(const QByteArray &bytes)
{
    bool multiByte = false;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        unsigned int cp = 0;
        if ((c & 0xE0) == 0xC0) {
            follow = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            cp = c & 0x07;
        } else
            return false;
        if (i + follow >= n)
            return false;
        for (int k = 1; k <= follow; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr unsigned int kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[follow] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        multiByte = true;
        i += follow + 1;
    }
    return multiByte;
}

QString decodeUserFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16); // the mark picks the byte order and is dropped
        return decoder(bytes);
    }
    if (looksLikeUtf8(bytes))
        return QString::fromUtf8(bytes);
    return fromCp1251(bytes);
}

} // namespace Codec
