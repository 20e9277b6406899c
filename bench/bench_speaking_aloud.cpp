// Speaking aloud through the sound server of the environment (run it under
// `scripts/sound-server run`): how much sound still comes out of the device
// after Pause and after Stop, and how soon after the last sound the voice
// says it is done. The device's sound is recorded from its monitor; its
// position at a moment is the size of the recording then, which runs a few
// tens of milliseconds behind, so the tails printed are upper bounds.

#include "recording/speech/memory_stream.h"
#include "recording/speech/speech_voice.h"
#include "support/monitor_recording.h"
#include "support/private_sound_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;

const QString kShortText = QStringLiteral("Короткая фраза.");
const QString kText = QStringLiteral("Это предложение прочитано вслух, чтобы его можно было прервать. "
                                     "За ним идёт ещё одно, такое же длинное и такое же спокойное. "
                                     "И третье, на всякий случай, чтобы речь не кончилась раньше времени.");

double msecsOfSamples(qint64 samples, const PcmFormat &format)
{
    return samples * 1000.0 / format.sampleRate;
}

// The silence the voice speaks after the last loud sample of `text`.
double endPauseMsecs(const QString &text)
{
    SpeechVoice voice;
    voice.selectVoice(SpeechVoice::voiceForLanguage(QStringLiteral("ru")));
    auto memory = std::make_shared<SpeechMemoryStream>();
    voice.setAudioOutputStream(memory);
    voice.speak(text, SVSFIsNotXML);
    const QByteArray pcm = memory->data();
    return msecsOfSamples(pcm.size() / 2 - loudness(pcm).last - 1, voice.format());
}

void waitUntilHeard(SpeechVoice &voice)
{
    while (voice.status().inputWordPosition < 40)
        QThread::msleep(5);
}

// Sound the device played after `mark` (a recording size taken at the
// moment of the interruption), in milliseconds.
double tailAfter(const MonitorRecording &monitor, qint64 mark, const PcmFormat &format)
{
    QThread::msleep(1000);
    const Loudness after = loudness(monitor.since(mark));
    return after.first < 0 ? 0.0 : msecsOfSamples(after.last + 1, format);
}

struct Figures
{
    std::vector<double> values;
    void print(const char *what) const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-46s median %6.0f ms, worst %6.0f ms (%zu rounds)\n", what, sorted[sorted.size() / 2],
                    sorted.back(), sorted.size());
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!soundServerAnswers()) {
        std::printf("no sound server answers; run this under scripts/sound-server run\n");
        return 0;
    }
    SpeechVoice voice;
    voice.selectVoice(SpeechVoice::voiceForLanguage(QStringLiteral("ru")));
    const PcmFormat format = voice.format();
    MonitorRecording monitor(format);
    if (!monitor.isRecording()) {
        std::printf("parec records nothing\n");
        return 1;
    }

    const double endPause = endPauseMsecs(kShortText);
    Figures pauseTail, stopTail, doneAfter;
    for (int round = 0; round < kRounds; ++round) {
        voice.speak(kText, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
        waitUntilHeard(voice);
        voice.pause();
        pauseTail.values.push_back(tailAfter(monitor, monitor.size(), format));
        voice.resume();
        waitUntilHeard(voice);
        QThread::msleep(500);
        voice.speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak);
        stopTail.values.push_back(tailAfter(monitor, monitor.size(), format));

        // The end: from the end of the sound (its last loud sample and the
        // silence the voice speaks after it) to the moment the voice is done.
        const qint64 start = monitor.size();
        voice.speak(kShortText, SVSFlagsAsync | SVSFIsNotXML);
        voice.waitUntilDone(-1);
        const qint64 doneAt = monitor.size();
        QThread::msleep(500);
        const Loudness heard = loudness(monitor.since(start));
        doneAfter.values.push_back(msecsOfSamples((doneAt - start) / 2 - heard.last, format) - endPause);
    }
    pauseTail.print("sound after Pause:");
    stopTail.print("sound after Stop:");
    doneAfter.print("done after the end of the sound:");
    std::printf("(the voice ends \"%s\" with %.0f ms of silence)\n", qPrintable(kShortText), endPause);
    return 0;
}
