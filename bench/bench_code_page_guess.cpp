// How often the code page of a short Russian text is guessed right, and what
// the guess costs on a book. Pieces of the shared books (Chekhov, and
// Dostoevsky from the middle of the 5 MB book; the letter-pair table was
// counted in Tolstoy's "Анна Каренина") are written in each of the five code
// pages and guessed. A piece that reads exactly alike in the code page
// guessed (a text without capitals, "ё" or "я" in Windows-1251 and
// MacCyrillic) is counted apart: no reader could tell.
//
// bench_code_page_guess [PIECES]   (PIECES per length and book, 500 by default)

#include "import/code_page_guess.h"

#include "common/user_file.h"
#include "support/code_page_text.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using Codec::CodePage;

const CodePage kCodePages[] = {CodePage::Windows1251, CodePage::Koi8R, CodePage::Cp866, CodePage::Iso88595,
                               CodePage::MacCyrillic};

QString sharedBook(const char *relative)
{
    const auto bytes = UserFile::readBytes(QStringLiteral(LECTORIUM_SHARED_DATA "/") + QLatin1String(relative));
    if (!bytes) {
        std::fprintf(stderr, "no %s\n", relative);
        std::exit(1);
    }
    return Codec::fromCp1251(*bytes);
}

struct Tally
{
    int pieces = 0;
    int wrong = 0;
    int alike = 0; // guessed another code page that reads the bytes exactly alike
    int implausible = 0;
};

void tallyPiece(const QString &piece, Tally &tally)
{
    for (const CodePage codePage : kCodePages) {
        const QByteArray bytes = inCodePage(piece, codePage);
        if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; }))
            continue;
        ++tally.pieces;
        const CodePageGuess guess = guessCodePage(bytes);
        if (guess.likelihood.implausible())
            ++tally.implausible;
        if (guess.codePage == codePage)
            continue;
        if (Codec::fromCodePage(bytes, guess.codePage) == Codec::fromCodePage(bytes, codePage))
            ++tally.alike;
        else
            ++tally.wrong;
    }
}

void timeGuess(const QByteArray &bytes, const char *label)
{
    QElapsedTimer timer;
    timer.start();
    const CodePageGuess guess = guessCodePage(bytes);
    std::printf("%-46s %8.3f s  (%s, %.2f bits a character)\n", label, timer.nsecsElapsed() / 1e9,
                qPrintable(Codec::codePageName(guess.codePage)), guess.likelihood.bitsPerCharacter());
}

} // namespace

int main(int argc, char **argv)
{
    const int piecesPerLength = argc > 1 ? std::atoi(argv[1]) : 500;
    const QString chekhov = sharedBook("books/txt/kashtanka.cp1251.txt");
    const QString prose = sharedBook("books/txt/prose-5mb.cp1251.txt");
    const QString dostoevsky = prose.mid(2000000, 2000000);
    QRandomGenerator random(2024);
    std::printf("| characters | pieces (in 5 code pages) | guessed wrong | read alike in the one guessed | "
                "called implausible |\n|---|---|---|---|---|\n");
    for (const int length : {10, 20, 40, 80, 200, 1000}) {
        Tally tally;
        for (const QString *book : {&chekhov, &dostoevsky}) {
            for (int i = 0; i < piecesPerLength; ++i) {
                const qsizetype from = random.bounded(static_cast<int>(book->size() - length));
                tallyPiece(book->mid(from, length), tally);
            }
        }
        std::printf("| %d | %d | %d (%.2f%%) | %d | %d |\n", length, tally.pieces, tally.wrong,
                    100.0 * tally.wrong / tally.pieces, tally.alike, tally.implausible);
    }
    const QByteArray koi8 = inCodePage(prose, CodePage::Koi8R);
    timeGuess(koi8.left(1 << 20), "guess, 1 MB of KOI8-R");
    timeGuess(koi8, "guess, the 5 MB book in KOI8-R (a sample)");
    return 0;
}
