#include "import/russian_text_likelihood.h"

#include <array>

namespace {

// The letters "абвгдежзийклмнопрстуфхцчшщъыьэюя" are numbered 0..31 (their
// order in Unicode); "ё" counts as "е".
constexpr int kLetterCount = 32;
constexpr int kYo = 5; // "е"

// Bits of a letter (column) at the start of a word (row 0) and after each
// letter (row 1 + its number), in hexadecimal digits: -log2 of how often it
// follows there in "Анна Каренина", whole bits, at most 15.
// scripts/russian-letter-pairs makes the table from a book.
constexpr std::array<const char *, kLetterCount + 1> kLetterPairBits = {
    "654655654F465344534587958BFFF6C6", "D6465664974243D6444A869668FFFD64", "4D7C93CC4F64863F48B4F8BBB672AFB5",
    "3BBA73E63F8585275376F9A95CD47FE7", "4FBC45FE4F73E61F49B5DFF9BFFFFFCF", "2A5C92BF4F7584394674F97A8F965FC6",
    "A5444566945343853449D68666FFFF77", "38FB41AF3F7BC38FD7F5FFD8FFFF8FDF", "164546795F76635F68A6FFB8BFA56FB5",
    "9746547465534398643CB56478FFFF74", "CACC3ACBCC5453ACA23C8C545BCCCCCC", "2F7FD6BD3FA6F52F4564EECFBFFFFFFF",
    "2BD8B37D3F77F73AF5A5DFF8DFF53F54", "3AD9F3EC3F88942887A3DFBACCF48FD5", "2CD962EC3F8FF42F9674CF78F8F45F85",
    "F434455675644396444A98A569FFFB77", "4BFFF3FF5F85F81A2C95EFA9BEF69FD6", "2777737B3F698629B764C8A97AF55F85",
    "5A5C73BB5F3465458626C8A79EB74E84", "3C4D93DE4F77B52A4695BCA7FCA53EA6", "95443636C74446C5544EA6C456FFFA47",
    "4CCCC3CC2CC5894C27657CCACCC84C99", "2E5BC7EE5EE5651C6795EEEC9ECEEEEE", "2B6DD2DD4D4BAD3DDDD3DD8DDDD4DDDD",
    "3FCFF2FF3F58B58F8F24FFFF6FFF6FFF", "3F6FF2FF2F44A45ACF75CFBFCFFF4FBF", "3DDDD1DD2DDDD6BD9DD5DDDDDDDD7DDD",
    "AAAAA1AAAAAAAAAAAAAAAAAAAAAAAA51", "F5476498B36235F7544BF4E65EFFFFFD", "E68784C54E2E529BE36EBC6749EEEB44",
    "DDBAADD9DA66A7D99A0DADDDCDDDDDDD", "A2993D99AD9776D8643DA88662DDDD6D", "E8554754866343E7732DE58675EEEE66",
};

// The rarer "ё" costs a little more than "е".
constexpr double kYoBits = 3;
// Letters of Ukrainian and Belarusian: a Russian book may quote them.
constexpr double kNeighbourLetterBits = 9;
// A character no Russian text has there: a mark inside a word, a
// box-drawing sign, a Serbian letter.
constexpr double kMisplacedBits = 14;

enum class Case { None, Small, Capital };

// Where a mark belongs: an opening quote before a word, a closing one
// after it, a dash between blanks (or digits), "№" before a number, the
// rest anywhere but inside a word.
enum class MarkPlace { Opening, Closing, Dash, Numero, Anywhere };

struct Mark
{
    char16_t character;
    MarkPlace place;
    double bits;
};

constexpr Mark kMarks[] = {
    {u'«', MarkPlace::Opening, 5},   {u'»', MarkPlace::Closing, 5},   {u'—', MarkPlace::Dash, 5},
    {u'–', MarkPlace::Dash, 7},      {u'…', MarkPlace::Anywhere, 6},  {u'“', MarkPlace::Opening, 7},
    {u'”', MarkPlace::Closing, 7},   {u'„', MarkPlace::Opening, 8},   {u'’', MarkPlace::Closing, 9},
    {u'‘', MarkPlace::Opening, 10},  {u'‚', MarkPlace::Opening, 11},  {0x00A0, MarkPlace::Anywhere, 7},
    {u'№', MarkPlace::Numero, 8},    {u'°', MarkPlace::Anywhere, 10}, {u'§', MarkPlace::Anywhere, 10},
    {u'©', MarkPlace::Anywhere, 10}, {u'·', MarkPlace::Anywhere, 10}, {u'•', MarkPlace::Anywhere, 10},
    {u'±', MarkPlace::Anywhere, 10}, {u'×', MarkPlace::Anywhere, 10}, {u'€', MarkPlace::Anywhere, 10},
};

int russianLetterNumber(char16_t c)
{
    if (c >= 0x0430 && c <= 0x044F)
        return c - 0x0430;
    if (c >= 0x0410 && c <= 0x042F)
        return c - 0x0410;
    return c == 0x0451 || c == 0x0401 ? kYo : -1;
}

bool isNeighbourLetter(char16_t c)
{
    return QStringView(u"іїєґўІЇЄҐЎ").contains(QChar(c));
}

const Mark *findMark(char16_t c)
{
    for (const Mark &mark : kMarks)
        if (mark.character == c)
            return &mark;
    return nullptr;
}

double letterPairBits(int previous, int letter)
{
    const char digit = kLetterPairBits[previous < 0 ? 0 : previous + 1][letter];
    return digit <= '9' ? digit - '0' : digit - 'A' + 10;
}

bool isBlank(QChar c)
{
    return c.isNull() || c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c.unicode() == 0x00A0;
}

bool isInItsPlace(const Mark &mark, QChar before, QChar after)
{
    switch (mark.place) {
    case MarkPlace::Opening: return (isBlank(before) || QStringView(u"([\"'«„“").contains(before)) && !isBlank(after);
    case MarkPlace::Closing:
        return !isBlank(before) && (isBlank(after) || QStringView(u".,;:!?)]\"'»”…-").contains(after));
    case MarkPlace::Dash: return (isBlank(before) && isBlank(after)) || (before.isDigit() && after.isDigit());
    case MarkPlace::Numero: return isBlank(after) || after.isDigit();
    case MarkPlace::Anywhere: return !(before.isLetter() && after.isLetter());
    }
    return false;
}

// What the reader has just passed: the letter before (its number, -1 after
// anything else), its case, and whether a sentence may be beginning.
struct Reading
{
    int previousLetter = -1;
    Case previousCase = Case::None;
    bool sentenceStart = true;
};

// Bits of a letter's case where it stands. In prose a capital after a small
// letter of the same word is rare (KOI8-R read as Windows-1251 has one in
// every word: "мЕЧ"), capitals go on in a word of capitals, and a sentence
// begins with one.
double caseBits(bool capital, const Reading &reading)
{
    if (capital) {
        if (reading.previousCase == Case::Small)
            return 8;
        if (reading.previousCase == Case::Capital)
            return 1.5;
        return reading.sentenceStart ? 0.3 : 2.5;
    }
    if (reading.previousCase == Case::Capital)
        return 0.3;
    return reading.sentenceStart && reading.previousCase == Case::None ? 2 : 0.05;
}

void passAscii(char16_t c, Reading &reading)
{
    reading.previousLetter = -1;
    if (QChar::isLetter(c)) {
        reading.previousCase = QChar::isUpper(c) ? Case::Capital : Case::Small;
        reading.sentenceStart = false;
        return;
    }
    reading.previousCase = Case::None;
    if (c == u'.' || c == u'!' || c == u'?' || c == u'\n')
        reading.sentenceStart = true;
    else if (!QChar::isSpace(c) && c != u'-' && c != u'"' && c != u'\'' && c != u'(')
        reading.sentenceStart = false;
}

} // namespace

double TextLikelihood::bitsPerCharacter() const
{
    return characters > 0 ? bits / characters : 0;
}

bool TextLikelihood::implausible() const
{
    // Fewer characters say too little; Russian prose stays under 5.2 bits
    // even in a line of twenty characters.
    constexpr qsizetype kFewestToJudge = 10;
    constexpr double kMostBitsOfRussian = 7;
    return characters >= kFewestToJudge && bitsPerCharacter() > kMostBitsOfRussian;
}

TextLikelihood russianTextLikelihood(QStringView text)
{
    TextLikelihood likelihood;
    Reading reading;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            passAscii(c, reading);
            continue;
        }
        ++likelihood.characters;
        if (const int letter = russianLetterNumber(c); letter >= 0) {
            const bool capital = QChar::isUpper(c);
            likelihood.bits += letterPairBits(reading.previousLetter, letter) + caseBits(capital, reading)
                               + (c == 0x0451 || c == 0x0401 ? kYoBits : 0);
            reading = {letter, capital ? Case::Capital : Case::Small, false};
            continue;
        }
        if (isNeighbourLetter(c)) {
            likelihood.bits += kNeighbourLetterBits;
            reading = {-1, QChar::isUpper(c) ? Case::Capital : Case::Small, false};
            continue;
        }
        const QChar before = i > 0 ? text[i - 1] : QChar();
        const QChar after = i + 1 < text.size() ? text[i + 1] : QChar();
        const Mark *mark = findMark(c);
        likelihood.bits += mark && isInItsPlace(*mark, before, after) ? mark->bits : kMisplacedBits;
        const bool keepsSentenceStart = mark && mark->place != MarkPlace::Closing && mark->place != MarkPlace::Numero;
        reading = {-1, Case::None, reading.sentenceStart && keepsSentenceStart};
    }
    return likelihood;
}
