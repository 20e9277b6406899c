// A book rewritten by the two shared stress dictionaries, spoken by the voice
// layer into a WAV file, against the same text with the marks taken out.
// Prints how many words carry a mark, both wall times and both lengths of
// sound: the marks must cost little time and add no sound.

#include "dictionaries/dictionaries.h"

#include "spoken_into_wav.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kTextBytes = 40 * 1024;

QString withStressDictionaries(const QString &text, const QString &programFolder)
{
    Dictionaries dictionaries(programFolder);
    dictionaries.loadDictionaryFile(QStringLiteral(LECTORIUM_SHARED_DATA "/dictionaries/rulex-explicit.dic"), false);
    dictionaries.loadDictionaryFile(QStringLiteral(LECTORIUM_SHARED_DATA "/dictionaries/rulex-implicit.dic"), true);
    return dictionaries.applyDictionaries(text).text;
}

} // namespace

int main()
{
    const QString text = novelHead(kTextBytes);
    if (text.isEmpty()) {
        std::fprintf(stderr, "the test book is missing\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString marked = withStressDictionaries(text, dir.path());
    const QString bare = QString(marked).remove(QRegularExpression(QStringLiteral("(?<=[аеёиоуыэюяАЕЁИОУЫЭЮЯ])\\+")));
    const QRegularExpression nonWord(QStringLiteral("\\W+"), QRegularExpression::UseUnicodePropertiesOption);
    const qsizetype words = text.split(nonWord, Qt::SkipEmptyParts).size();

    // Each in turn twice; the better of the two runs counts.
    Spoken withMarks, withoutMarks;
    for (int round = 0; round < 2; ++round) {
        const Spoken b = speakIntoWav(bare, dir.filePath(QStringLiteral("bare.wav")));
        const Spoken m = speakIntoWav(marked, dir.filePath(QStringLiteral("marked.wav")));
        withoutMarks = b.seconds < withoutMarks.seconds ? b : withoutMarks;
        withMarks = m.seconds < withMarks.seconds ? m : withMarks;
    }
    std::printf("text: %lld characters, %lld words, %lld stress marks\n", static_cast<long long>(text.size()),
                static_cast<long long>(words), static_cast<long long>(marked.size() - bare.size()));
    std::printf("without marks: %8.2f s, %8.1f s of sound\n", withoutMarks.seconds, withoutMarks.soundSeconds);
    std::printf("with marks   : %8.2f s, %8.1f s of sound\n", withMarks.seconds, withMarks.soundSeconds);
    std::printf("time with / without marks: %.3f\n", withMarks.seconds / withoutMarks.seconds);
    return 0;
}
