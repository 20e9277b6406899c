#include "import/book_encoding.h"

#include "import/code_page_guess.h"

#include "common/text_codec.h"

#include <QStringDecoder>

#include <optional>

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

// The code page a declared charset names, when it is one of the Cyrillic
// code pages judged by their letters.
std::optional<Codec::CodePage> codePageOfCharset(const QString &charset)
{
    using Codec::CodePage;
    static const struct
    {
        const char16_t *name;
        CodePage codePage;
    } kNames[] = {
        {u"windows-1251", CodePage::Windows1251},
        {u"cp1251", CodePage::Windows1251},
        {u"x-cp1251", CodePage::Windows1251},
        {u"koi8-r", CodePage::Koi8R},
        {u"koi8r", CodePage::Koi8R},
        {u"cskoi8r", CodePage::Koi8R},
        {u"ibm866", CodePage::Cp866},
        {u"cp866", CodePage::Cp866},
        {u"866", CodePage::Cp866},
        {u"csibm866", CodePage::Cp866},
        {u"iso-8859-5", CodePage::Iso88595},
        {u"iso8859-5", CodePage::Iso88595},
        {u"iso_8859-5", CodePage::Iso88595},
        {u"x-mac-cyrillic", CodePage::MacCyrillic},
        {u"maccyrillic", CodePage::MacCyrillic},
        {u"mac-cyrillic", CodePage::MacCyrillic},
    };
    for (const auto &entry : kNames)
        if (charset == QStringView(entry.name))
            return entry.codePage;
    return std::nullopt;
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

QString decodeCodePage(const QByteArray &bytes, Codec::CodePage codePage, const TextLikelihood &likelihood,
                       ReadingReport *report)
{
    if (report) {
        report->encoding = Codec::codePageName(codePage);
        report->implausibleLetters = likelihood.implausible();
    }
    return Codec::fromCodePage(bytes, codePage);
}

// No declaration to go by: the code page whose letters read most like Russian.
QString decodeGuessed(const QByteArray &bytes, ReadingReport *report)
{
    const CodePageGuess guess = guessCodePage(bytes);
    if (report)
        report->encodingGuessed = true;
    return decodeCodePage(bytes, guess.codePage, guess.likelihood, report);
}

// A declared code page is believed while its letters read as Russian; when
// they do not and another code page's do, the file is mislabelled.
QString decodeDeclared(const QByteArray &bytes, const QString &declared, Codec::CodePage codePage,
                       ReadingReport *report)
{
    const TextLikelihood likelihood = codePageLikelihood(bytes, codePage);
    if (likelihood.implausible()) {
        const CodePageGuess guess = guessCodePage(bytes);
        if (!guess.likelihood.implausible()) {
            if (report)
                report->overruledDeclaration = declared;
            return decodeCodePage(bytes, guess.codePage, guess.likelihood, report);
        }
    }
    return decodeCodePage(bytes, codePage, likelihood, report);
}

QString decodeWithoutMark(const QByteArray &bytes, const QString &declared, ReadingReport *report)
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
    } else if (const auto codePage = codePageOfCharset(declared)) {
        return decodeDeclared(bytes, declared, *codePage, report);
    } else if (!declared.isEmpty() && !declaredUnicode) {
        // Another script's code page (Latin-1, Greek, ...): read as declared.
        QStringDecoder decoder(declared.toLatin1().constData());
        if (decoder.isValid()) {
            if (report)
                report->encoding = declared.toUpper();
            return decoder(bytes);
        }
    }
    return decodeGuessed(bytes, report);
}

Codec::CodePage codePageOfChoice(BookFileEncoding chosen)
{
    switch (chosen) {
    case BookFileEncoding::Koi8R: return Codec::CodePage::Koi8R;
    case BookFileEncoding::Cp866: return Codec::CodePage::Cp866;
    case BookFileEncoding::Iso88595: return Codec::CodePage::Iso88595;
    case BookFileEncoding::MacCyrillic: return Codec::CodePage::MacCyrillic;
    case BookFileEncoding::Automatic:
    case BookFileEncoding::Windows1251:
    case BookFileEncoding::Utf8: break;
    }
    return Codec::CodePage::Windows1251;
}

// The user's choice is followed whatever the bytes say; only a UTF-8
// byte-order mark, which no text begins with, is dropped.
QString decodeAsChosen(const QByteArray &bytes, BookFileEncoding chosen, ReadingReport *report)
{
    if (report)
        report->encodingChosen = true;
    if (chosen == BookFileEncoding::Utf8) {
        const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        return decodeUtf8(text, surveyUtf8(text), report);
    }
    const Codec::CodePage codePage = codePageOfChoice(chosen);
    return decodeCodePage(bytes, codePage, codePageLikelihood(bytes, codePage), report);
}

} // namespace

QString decodeBookBytes(const QByteArray &bytes, const QString &declaredCharset, ReadingReport *report,
                        BookFileEncoding chosen)
{
    if (chosen != BookFileEncoding::Automatic)
        return decodeAsChosen(bytes, chosen, report);
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
    return decodeWithoutMark(bytes, declaredCharset.trimmed().toLower(), report);
}
