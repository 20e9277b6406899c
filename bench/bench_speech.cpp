// The voice layer speaking 100 KB of Russian text into a WAV file, against
// the espeak-ng program doing the same with the same text in the same run.
// Prints both wall times and their ratio.

#include "spoken_into_wav.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kTextBytes = 100 * 1024;

double espeakProgramSeconds(const QString &textFile, const QString &wav)
{
    QProcess espeak;
    QElapsedTimer timer;
    timer.start();
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("ru"), QStringLiteral("-w"), wav,
                                               QStringLiteral("-f"), textFile});
    espeak.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

double audioSeconds(const QString &wav)
{
    return (QFileInfo(wav).size() - 44) / 44100.0;
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
    const QString textFile = dir.filePath(QStringLiteral("text.txt"));
    UserFile::writeBytes(textFile, text.toUtf8());
    const QString ours = dir.filePath(QStringLiteral("voice.wav"));
    const QString theirs = dir.filePath(QStringLiteral("espeak.wav"));

    // Each in turn twice; the better of the two runs counts.
    double voiceLayer = 1e9;
    double program = 1e9;
    for (int round = 0; round < 2; ++round) {
        program = std::min(program, espeakProgramSeconds(textFile, theirs));
        voiceLayer = std::min(voiceLayer, speakIntoWav(text, ours).seconds);
    }
    std::printf("text: %lld characters (%d KB in Windows-1251)\n", static_cast<long long>(text.size()),
                int(Codec::toCp1251(text).size() / 1024));
    std::printf("espeak-ng -v ru -w : %8.2f s, %8.1f s of sound\n", program, audioSeconds(theirs));
    std::printf("voice layer        : %8.2f s, %8.1f s of sound\n", voiceLayer, audioSeconds(ours));
    std::printf("voice layer / espeak-ng: %.3f (target at most 1.05)\n", voiceLayer / program);
    return 0;
}
