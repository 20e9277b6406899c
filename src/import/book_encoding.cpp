#include "import/book_encoding.h"

#include "import/text_file_loader.h"

#include "common/text_codec.h"

#include <QStringDecoder>

namespace {

struct Utf8Survey
{
    qsizetype sequences = 0;    // valid multi-byte characters
    qsizetype damagedBytes = 0; // bytes that belong to no valid character
    qsizetype cutAtEnd = 0;     // bytes of a character the end of the file cut short
};

// How many bytes a character beginning with `lead` takes (2..4), or 0
// when no multi-byte character can begin with it.
int sequenceLengthOfLead(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length of the valid multi-byte character at `p` (2..4), or 0.
int validSequenceLength(const unsigned char *p, qsizetype available)
{
    const int length = sequenceLengthOfLead(p[0]);
    if (length == 0 || available < length)
        return 0;
    const int follow = length - 1;
    unsigned int code = p[0] & (0x3F >> follow);
    for (int k = 1; k < length; ++k) {
        if (!isContinuation(p[k]))
            return 0;
        code = (code << 6) | (p[k] & 0x3F);
    }
    static constexpr unsigned int kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[follow] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// True when the bytes from `p` to the end are the start of a character
// that the end of the file cut off.
bool isCutCharacter(const unsigned char *p, qsizetype available)
{
    const int length = sequenceLengthOfLead(p[0]);
    if (length == 0 || available >= length)
        return false;
    for (qsizetype k = 1; k < available; ++k)
        if (!isContinuation(p[k]))
            return false;
    return true;
}

Utf8Survey surveyUtf8(const QByteArray &bytes)
{
    Utf8Survey survey;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        if (const int length = validSequenceLength(p + i, n - i)) {
            ++survey.sequences;
            i += length;
        } else if (isCutCharacter(p + i, n - i)) {
            survey.cutAtEnd = n - i;
            break;
        } else {
            ++survey.damagedBytes;
            ++i;
        }
    }
    return survey;
}

// Real Windows-1251 Russian text is almost never valid UTF-8 (its letters
// are all lead bytes without continuations), so four good characters for
// every bad byte is far beyond chance.
bool readsAsUtf8(const Utf8Survey &survey)
{
    return survey.sequences > 0 && survey.damagedBytes * 4 <= survey.sequences;
}

bool isUtf8Name(const QString &charset)
{
    return charset == u"utf-8" || charset == u"utf8";
}

bool isWindows1251Name(const QString &charset)
{
    return charset == u"windows-1251" || charset == u"cp1251" || charset == u"x-cp1251";
}

QString decodeUtf8(const QByteArray &bytes, const Utf8Survey &survey, ReadingReport *report)
{
    if (report) {
        report->encoding = QStringLiteral("UTF-8");
        report->replacedBytes = survey.damagedBytes + survey.cutAtEnd;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return decoder(bytes);
}

QString decodeSingleByte(const QByteArray &bytes, SingleByteGuess guess, ReadingReport *report)
{
    const QString windows = Codec::fromCp1251(bytes);
    const QString text = guess == SingleByteGuess::Windows1251OrDos ? fromDosIfCp866(windows) : windows;
    if (report)
        report->encoding = text == windows ? QStringLiteral("Windows-1251") : QStringLiteral("CP866 (DOS)");
    return text;
}

QString decodeWithoutMark(const QByteArray &bytes, const QString &declared, SingleByteGuess guess,
                          ReadingReport *report)
{
    // UTF-16 without a mark: only the declaration can tell, and the zero
    // bytes of its ASCII characters show it is no byte-wide encoding.
    if (declared.startsWith(u"utf-16") && bytes.contains('\0')) {
        QStringDecoder decoder(declared.toLatin1().constData());
        if (decoder.isValid()) {
            if (report)
                report->encoding = declared.toUpper();
            return decoder(bytes);
        }
    }
    const Utf8Survey survey = surveyUtf8(bytes);
    const bool declaredUnicode = isUtf8Name(declared) || declared.startsWith(u"utf-16");
    if (readsAsUtf8(survey)) {
        if (report && !declared.isEmpty() && !declaredUnicode)
            report->overruledDeclaration = declared;
        return decodeUtf8(bytes, survey, report);
    }
    if (survey.sequences == 0 && survey.damagedBytes == 0 && survey.cutAtEnd == 0) {
        if (report)
            report->encoding = QStringLiteral("ASCII");
        return QString::fromLatin1(bytes);
    }
    if (isUtf8Name(declared)) {
        if (report)
            report->overruledDeclaration = declared;
    } else if (!declared.isEmpty() && !declaredUnicode && !isWindows1251Name(declared)) {
        QStringDecoder decoder(declared.toLatin1().constData());
        if (decoder.isValid()) {
            if (report)
                report->encoding = declared.toUpper();
            return decoder(bytes);
        }
    }
    return decodeSingleByte(bytes, guess, report);
}

} // namespace

QString decodeBookBytes(const QByteArray &bytes, const QString &declaredCharset, SingleByteGuess guess,
                        ReadingReport *report)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        if (report)
            report->encoding = QStringLiteral("UTF-16");
        QStringDecoder decoder(QStringDecoder::Utf16); // the mark picks the byte order and is dropped
        return decoder(bytes);
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArray rest = bytes.mid(3);
        return decodeUtf8(rest, surveyUtf8(rest), report);
    }
    return decodeWithoutMark(bytes, declaredCharset.trimmed().toLower(), guess, report);
}
