#include "import/code_page_guess.h"

#include <array>

namespace {

using Codec::CodePage;

// The code pages in the order of how common Russian books in them are,
// each with the bits its rarity costs: a tie, or a near one in a short
// text, goes to the commoner.
struct Candidate
{
    CodePage codePage;
    double rarityBits;
};

constexpr std::array<Candidate, 5> kCandidates = {{
    {CodePage::Windows1251, 0},
    {CodePage::Koi8R, 1},
    {CodePage::Cp866, 1},
    {CodePage::Iso88595, 2},
    {CodePage::MacCyrillic, 2},
}};

// A megabyte decides as well as the whole book; a bigger file is judged on
// pieces from all through it, so a book whose first pages are an English
// licence is still judged by its Russian text.
constexpr qsizetype kWholeSampleSize = 1 << 20;
constexpr qsizetype kPieceCount = 16;
constexpr qsizetype kPieceSize = kWholeSampleSize / kPieceCount;

QByteArray sampleOf(const QByteArray &bytes)
{
    if (bytes.size() <= kWholeSampleSize)
        return bytes;
    QByteArray sample;
    sample.reserve(kWholeSampleSize + kPieceCount);
    const qsizetype step = (bytes.size() - kPieceSize) / (kPieceCount - 1);
    for (qsizetype piece = 0; piece < kPieceCount; ++piece)
        sample.append(bytes.mid(piece * step, kPieceSize)).append('\n');
    return sample;
}

} // namespace

CodePageGuess guessCodePage(const QByteArray &bytes)
{
    const QByteArray sample = sampleOf(bytes);
    CodePageGuess best;
    double bestBits = 0;
    for (const Candidate &candidate : kCandidates) {
        const TextLikelihood likelihood = russianTextLikelihood(Codec::fromCodePage(sample, candidate.codePage));
        const double bits = likelihood.bits + candidate.rarityBits;
        if (candidate.codePage == kCandidates.front().codePage || bits < bestBits) {
            best = {candidate.codePage, likelihood};
            bestBits = bits;
        }
    }
    return best;
}

TextLikelihood codePageLikelihood(const QByteArray &bytes, Codec::CodePage codePage)
{
    return russianTextLikelihood(Codec::fromCodePage(sampleOf(bytes), codePage));
}
