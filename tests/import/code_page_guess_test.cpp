#include "import/code_page_guess.h"

#include "support/code_page_text.h"

#include <gtest/gtest.h>

namespace {

using Codec::CodePage;

const CodePage kCodePages[] = {CodePage::Windows1251, CodePage::Koi8R, CodePage::Cp866, CodePage::Iso88595,
                               CodePage::MacCyrillic};

// Bytes no book holds: the same every run.
QByteArray noise(int size)
{
    QByteArray bytes;
    unsigned int state = 12345;
    for (int i = 0; i < size; ++i) {
        state = state * 1103515245 + 12345;
        bytes.append(static_cast<char>(state >> 16));
    }
    return bytes;
}

} // namespace

// Short and long, capitals, "ё", quotes and dashes: each text in each code
// page reads right. (A heading in capitals is the same bytes in CP866 and
// MacCyrillic, whichever is taken.)
TEST(CodePageGuess, EachCodePageIsKnownByItsLetters)
{
    const QString texts[] = {
        QStringLiteral("Лев Николаевич Толстой. Воскресение"),
        QStringLiteral("Глава первая"),
        QStringLiteral("ВОСКРЕСЕНИЕ"),
        QStringLiteral("Ещё ёжик"),
        QStringLiteral("— Ёлки-палки! — сказал он. «Это Москва», — ответила Юля и засмеялась."),
        QStringLiteral("Как ни старались люди, собравшись в одно небольшое место несколько сот тысяч, изуродовать "
                       "ту землю, на которой они жались, как ни забивали камнями землю, чтобы ничего не росло на "
                       "ней, — весна была весною даже и в городе."),
    };
    for (const QString &text : texts) {
        for (const CodePage codePage : kCodePages) {
            const QByteArray bytes = inCodePage(text, codePage);
            const CodePageGuess guess = guessCodePage(bytes);
            // (KOI8-R has no dashes or «»: "?" in both.)
            EXPECT_EQ(Codec::fromCodePage(bytes, guess.codePage), Codec::fromCodePage(bytes, codePage))
                << text.toStdString() << " in " << Codec::codePageName(codePage).toStdString();
            EXPECT_FALSE(guess.likelihood.implausible()) << text.toStdString();
        }
    }
}

// The book: KOI8-R read as Windows-1251 is "мЕЧ оЙЛПМБЕЧЙЮ".
TEST(CodePageGuess, AWrongReadingAndNoiseAreImplausible)
{
    const QByteArray koi8 = inCodePage(
        QStringLiteral("Лев Николаевич Толстой. Воскресение. Как ни старались люди, собравшись в одно небольшое "
                       "место несколько сот тысяч, изуродовать ту землю, на которой они жались..."),
        CodePage::Koi8R);
    ASSERT_TRUE(Codec::fromCp1251(koi8).startsWith(QStringLiteral("мЕЧ оЙЛПМБЕЧЙЮ")));
    EXPECT_TRUE(codePageLikelihood(koi8, CodePage::Windows1251).implausible());
    EXPECT_FALSE(codePageLikelihood(koi8, CodePage::Koi8R).implausible());
    for (const int size : {40, 4000}) {
        const CodePageGuess guess = guessCodePage(noise(size));
        EXPECT_TRUE(guess.likelihood.implausible()) << size << " " << guess.likelihood.bitsPerCharacter();
    }
    // Too few letters to judge: a word in Latin letters with one sign.
    EXPECT_FALSE(guessCodePage("Copyright \xA9 2001").likelihood.implausible());
}

// A big book is judged on pieces from all through it: a long English
// preface does not hide the Russian text after it.
TEST(CodePageGuess, ABigFileIsJudgedAllThrough)
{
    const QByteArray preface = QByteArray("This electronic text is provided as is, without warranty. ").repeated(40000);
    const QByteArray story =
        inCodePage(QStringLiteral("Весна была весною даже и в городе. ").repeated(20000), CodePage::Iso88595);
    const CodePageGuess guess = guessCodePage(preface + story);
    EXPECT_EQ(guess.codePage, CodePage::Iso88595);
    EXPECT_FALSE(guess.likelihood.implausible());
}
