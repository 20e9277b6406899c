// The voice layer speaking 100 KB of Russian text into a WAV file, against
// the espeak-ng program doing the same with the same text in the same run.
// Prints both wall times and their ratio.

#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/speech_voice.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kTextBytes = 100 * 1024;

// The first 100 KB of a Russian novel, cut at a line end.
QString russianText()
{
    const auto bytes = UserFile::readBytes(QStringLiteral(LECTORIUM_SHARED_DATA "/books/txt/anna-karenina.cp1251.txt"));
    if (!bytes)
        return {};
    QByteArray head = bytes->left(kTextBytes);
    head.truncate(head.lastIndexOf('\n') + 1);
    return Codec::fromCp1251(head);
}

double voiceLayerSeconds(const QString &text, const QString &wav)
{
    SpeechVoice voice;
    voice.selectVoice(SpeechVoice::voiceForLanguage(QStringLiteral("ru")));
    auto file = std::make_shared<WavFileStream>(voice.format());
    file->Open(wav);
    voice.setAudioOutputStream(file);
    QElapsedTimer timer;
    timer.start();
    voice.Speak(text, SVSFIsNotXML);
    file->Close();
    return timer.nsecsElapsed() / 1e9;
}

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

double audioSeconds(const QString &wav) { return (QFileInfo(wav).size() - 44) / 44100.0; }

} // namespace

int main()
{
    const QString text = russianText();
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
        voiceLayer = std::min(voiceLayer, voiceLayerSeconds(text, ours));
    }
    std::printf("text: %lld characters (%d KB in Windows-1251)\n", static_cast<long long>(text.size()),
                int(Codec::toCp1251(text).size() / 1024));
    std::printf("espeak-ng -v ru -w : %8.2f s, %8.1f s of sound\n", program, audioSeconds(theirs));
    std::printf("voice layer        : %8.2f s, %8.1f s of sound\n", voiceLayer, audioSeconds(ours));
    std::printf("voice layer / espeak-ng: %.3f (target at most 1.05)\n", voiceLayer / program);
    return 0;
}
