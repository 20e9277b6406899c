#include "import/rtf_reader.h"

#include "common/text_codec.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// What a group's text is for.
enum class Destination { Text, FontTable, Skipped };

struct GroupState
{
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
    int font = -1;
    int leftIndent = 0;
    int firstIndent = 0;
};

// Windows-1252 differs from Latin-1 in 0x80..0x9F, where Western documents
// keep their dashes and quotes.
constexpr std::array<char16_t, 32> kCp1252Controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QChar decodeByte(unsigned char byte, int codePage)
{
    if (byte < 0x80)
        return QChar(char16_t(byte));
    switch (codePage) {
    case 1251: return Codec::cp1251Char(byte);
    case 866: return Codec::fromCp866(QByteArray(1, static_cast<char>(byte))).at(0);
    case 1252: return byte < 0xA0 ? QChar(kCp1252Controls[byte - 0x80]) : QChar(char16_t(byte));
    default: return QChar(char16_t(byte));
    }
}

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 204: return 1251;
    case 255: return 866; // the OEM character set of Russian systems
    default: return 0;
    }
}

bool isSkippedDestination(const QByteArray &word)
{
    static const char *const kSkipped[] = {"colortbl",
                                           "stylesheet",
                                           "info",
                                           "pict",
                                           "header",
                                           "headerl",
                                           "headerr",
                                           "headerf",
                                           "footer",
                                           "footerl",
                                           "footerr",
                                           "footerf",
                                           "footnote",
                                           "listtable",
                                           "listoverridetable",
                                           "rsidtbl",
                                           "revtbl",
                                           "xmlnstbl",
                                           "filetbl",
                                           "latentstyles",
                                           "themedata",
                                           "colorschememapping",
                                           "datastore",
                                           "generator",
                                           "fldinst",
                                           "datafield",
                                           "objdata",
                                           "pn",
                                           "template",
                                           "xe",
                                           "tc",
                                           "txe",
                                           "nonshppict",
                                           "shp",
                                           "pgdsctbl",
                                           "docvar"};
    for (const char *name : kSkipped)
        if (word == name)
            return true;
    return false;
}

QChar symbolOfWord(const QByteArray &word)
{
    static const QHash<QByteArray, char16_t> kSymbols = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", u' '},
        {"enspace", u' '},  {"qmspace", u' '},     {"tab", u'\t'},        {"cell", u'\t'}};
    const auto it = kSymbols.constFind(word);
    return it == kSymbols.cend() ? QChar() : QChar(*it);
}

constexpr int kMostFallbackBytes = 4;
// Indents in twips; anything wider than a metre is a broken number, and
// clamping keeps the sum of two of them inside an int.
constexpr int kWidestIndent = 1'000'000;

class RtfParser
{
public:
    explicit RtfParser(const QByteArray &bytes) : m_bytes(bytes) { }

    RtfDocument parse()
    {
        RtfDocument document;
        document.isRtf = m_bytes.trimmed().startsWith("{\\rtf");
        if (!document.isRtf)
            return document;
        const qsizetype n = m_bytes.size();
        while (m_pos < n) {
            const char c = m_bytes.at(m_pos++);
            if (c == '{') {
                m_stack.append(m_state);
                m_pendingSkip = 0;
            } else if (c == '}') {
                if (!m_stack.isEmpty())
                    m_state = m_stack.takeLast();
                m_pendingSkip = 0;
            } else if (c == '\\') {
                readControl();
            } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
                // Line ends in the source are layout; other control bytes junk.
                addByte(static_cast<unsigned char>(c));
            }
        }
        if (!m_current.isEmpty())
            endParagraph();
        document.paragraphs = std::move(m_paragraphs);
        return document;
    }

private:
    void readControl()
    {
        const qsizetype n = m_bytes.size();
        if (m_pos >= n)
            return;
        const char c = m_bytes.at(m_pos);
        if (std::isalpha(static_cast<unsigned char>(c))) {
            readControlWord();
            return;
        }
        ++m_pos;
        if (c == '\'') {
            const bool ok = m_pos + 2 <= n;
            const int byte = ok ? m_bytes.mid(m_pos, 2).toInt(nullptr, 16) : -1;
            m_pos = std::min(m_pos + 2, n);
            if (byte >= 0)
                addByte(static_cast<unsigned char>(byte));
            return;
        }
        if (consumeFallback())
            return;
        switch (c) {
        case '*': m_state.destination = Destination::Skipped; break;
        case '\\':
        case '{':
        case '}': addChar(QChar(char16_t(c))); break;
        case '~': addChar(QChar(char16_t(0xA0))); break;
        case '_': addChar(u'-'); break;
        case '\r':
        case '\n': endParagraph(); break;
        default: break; // "\-" optional hyphen and unknown symbols show nothing
        }
    }

    void readControlWord()
    {
        const qsizetype n = m_bytes.size();
        const qsizetype start = m_pos;
        while (m_pos < n && std::isalpha(static_cast<unsigned char>(m_bytes.at(m_pos))))
            ++m_pos;
        const QByteArray word = m_bytes.mid(start, m_pos - start);
        const qsizetype numberStart = m_pos;
        if (m_pos < n && m_bytes.at(m_pos) == '-')
            ++m_pos;
        while (m_pos < n && std::isdigit(static_cast<unsigned char>(m_bytes.at(m_pos))))
            ++m_pos;
        bool hasNumber = false;
        const int number = m_bytes.mid(numberStart, m_pos - numberStart).toInt(&hasNumber);
        if (m_pos < n && m_bytes.at(m_pos) == ' ')
            ++m_pos;
        if (word == "bin") {
            m_pos = std::min(n, m_pos + std::max(0, number));
            return;
        }
        if (consumeFallback())
            return;
        applyWord(word, hasNumber ? number : 0, hasNumber);
    }

    void applyWord(const QByteArray &word, int number, bool hasNumber)
    {
        if (word == "fonttbl") {
            m_state.destination = Destination::FontTable;
        } else if (isSkippedDestination(word)) {
            m_state.destination = Destination::Skipped;
        } else if (word == "f") {
            if (m_state.destination == Destination::FontTable)
                m_definedFont = number;
            else
                m_state.font = number;
        } else if (word == "fcharset" || word == "cpg") {
            if (m_state.destination == Destination::FontTable) {
                const int codePage = word == "cpg" ? number : codePageOfCharset(number);
                if (codePage)
                    m_fontCodePages.insert(m_definedFont, codePage);
            }
        } else if (word == "ansicpg") {
            m_documentCodePage = number;
        } else if (word == "deff") {
            m_defaultFont = number;
        } else if (word == "plain") {
            m_state.font = m_defaultFont;
        } else if (word == "uc") {
            // A fallback is a character or two in some code page; a larger
            // count only comes from a broken file and would eat the text.
            m_state.unicodeSkip = std::clamp(number, 0, kMostFallbackBytes);
        } else if (word == "u" && hasNumber) {
            addUnicode(number);
        } else if (word == "pard") {
            m_state.leftIndent = 0;
            m_state.firstIndent = 0;
        } else if (word == "li" || word == "lin") {
            m_state.leftIndent = std::clamp(number, -kWidestIndent, kWidestIndent);
        } else if (word == "fi") {
            m_state.firstIndent = std::clamp(number, -kWidestIndent, kWidestIndent);
        } else if (word == "par" || word == "sect" || word == "row") {
            endParagraph();
        } else if (word == "page") {
            if (!m_current.isEmpty())
                endParagraph();
        } else if (word == "line") {
            addChar(u'\r');
            addChar(u'\n');
        } else if (const QChar symbol = symbolOfWord(word); !symbol.isNull()) {
            addChar(symbol);
        }
    }

    // \uN: writers give the UTF-16 unit as a signed 16-bit number (so
    // characters beyond it come as two negative halves), some as the code
    // point itself. Anything else is no character: its fallback text stays.
    void addUnicode(int number)
    {
        if (number >= -0x8000 && number < 0)
            addChar(QChar(char16_t(number + 0x10000)));
        else if (number >= 0 && number <= 0xFFFF)
            addChar(QChar(char16_t(number)));
        else if (number > 0xFFFF && number <= 0x10FFFF)
            for (const char16_t unit : QChar::fromUcs4(char32_t(number)))
                addChar(QChar(unit));
        else
            return;
        m_pendingSkip = m_state.unicodeSkip;
    }

    // True when the item stands for the \uN character just read and is dropped.
    bool consumeFallback()
    {
        if (m_pendingSkip <= 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    int codePage() const
    {
        const int fontPage = m_fontCodePages.value(m_state.font >= 0 ? m_state.font : m_defaultFont, 0);
        return fontPage ? fontPage : m_documentCodePage;
    }

    void addByte(unsigned char byte)
    {
        if (consumeFallback() || byte == 0)
            return;
        addChar(decodeByte(byte, codePage()));
    }

    void addChar(QChar c)
    {
        if (m_state.destination == Destination::Text)
            m_current.append(c);
    }

    void endParagraph()
    {
        if (m_state.destination != Destination::Text)
            return;
        m_paragraphs.append({m_current, m_state.leftIndent + m_state.firstIndent});
        m_current.clear();
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_pendingSkip = 0;
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    int m_definedFont = 0;
    QHash<int, int> m_fontCodePages;
    QString m_current;
    QList<RtfParagraph> m_paragraphs;
};

} // namespace

RtfDocument readRtf(const QByteArray &bytes)
{
    return RtfParser(bytes).parse();
}

QString rtfPlainText(const RtfDocument &document)
{
    QStringList lines;
    lines.reserve(document.paragraphs.size());
    for (const RtfParagraph &paragraph : document.paragraphs)
        lines.append(paragraph.text);
    return lines.join(u"\r\n");
}
