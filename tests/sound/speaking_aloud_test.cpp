// Speaking aloud through a real sound server: what its device plays is
// recorded from the monitor and compared with the text's sound. These run
// where a server answers (`make sound-test` starts a private one); the
// tests of a lost server start servers of their own.

#include "app/settings.h"
#include "recording/speech/memory_stream.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech_trial_voice.h"
#include "support/monitor_recording.h"
#include "support/private_sound_server.h"
#include "support/wait_for.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

// Time for the monitor to pass on what the device played last.
void letTheMonitorCatchUp()
{
    QThread::msleep(300);
}

const QString kSentences = QStringLiteral("Утро было тихим и ясным. Над рекой стоял туман, "
                                          "и где-то далеко, за старой мельницей, лаяла собака.");

QString longText(int sentences)
{
    QString text;
    for (int i = 0; i < sentences; ++i)
        text += QStringLiteral("Это предложение номер %1 в длинном тексте. ").arg(i + 1);
    return text;
}

int russianVoice()
{
    return SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
}

class SpeakingAloudTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_GE(russianVoice(), 0) << "espeak-ng has no Russian voice";
        if (!soundServerAnswers())
            GTEST_SKIP() << "no sound server answers; `make sound-test` runs this against a private one";
        voice.selectVoice(russianVoice());
        monitor = std::make_unique<MonitorRecording>(voice.format());
        ASSERT_TRUE(monitor->isRecording()) << "parec records nothing";
    }

    Loudness spokenIntoMemory(const QString &text)
    {
        SpeechVoice reference;
        reference.selectVoice(russianVoice());
        auto memory = std::make_shared<SpeechMemoryStream>();
        reference.setAudioOutputStream(memory);
        reference.speak(text, SVSFIsNotXML);
        return loudness(memory->data());
    }

    // Speaks `text` aloud and waits until its first words are heard.
    void startSpeaking(const QString &text)
    {
        voice.speak(text, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
        ASSERT_TRUE(waitFor([&] { return voice.status().inputWordPosition > 0; }));
    }

    SpeechVoice voice;
    std::unique_ptr<MonitorRecording> monitor;
};

} // namespace

TEST_F(SpeakingAloudTest, TheWholeTextIsHeardAndItsEndIsNoticed)
{
    const Loudness expected = spokenIntoMemory(kSentences);
    const qint64 mark = monitor->size();
    voice.speak(kSentences, SVSFlagsAsync | SVSFIsNotXML);
    ASSERT_TRUE(voice.waitUntilDone(60000)) << "the end of the speech is noticed";
    EXPECT_EQ(voice.status().runningState, SpeechStatus::Done);
    letTheMonitorCatchUp();

    const Loudness heard = loudness(monitor->since(mark));
    EXPECT_GT(heard.peak, expected.peak / 2) << "the device played the sound, not silence";
    // The sound from its first loud sample to its last is as long as the
    // text's: nothing cut off, nothing held back, nothing repeated.
    const qint64 tolerance = std::max<qint64>(expected.span() / 20, voice.format().sampleRate / 4);
    EXPECT_NEAR(double(heard.span()), double(expected.span()), double(tolerance))
        << "heard " << heard.span() << " samples, the text has " << expected.span();
    EXPECT_FALSE(voice.soundLost());
}

TEST_F(SpeakingAloudTest, PauseAndStopSilenceTheDeviceAtOnce)
{
    // Each way of interrupting, and what must hold afterwards.
    struct Interruption
    {
        const char *name;
        std::function<void(SpeechVoice &)> interrupt;
        std::function<void(SpeechVoice &)> carryOn;
        bool heardAgain;
    };
    const Interruption interruptions[] = {
        {"pause", [](SpeechVoice &v) { v.pause(); }, [](SpeechVoice &v) { v.resume(); }, true},
        {"stop", [](SpeechVoice &v) { v.speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak); },
         [](SpeechVoice &) {}, false},
    };
    for (const Interruption &c : interruptions) {
        SCOPED_TRACE(c.name);
        startSpeaking(longText(6));
        c.interrupt(voice);
        letTheMonitorCatchUp();
        const qint64 quiet = monitor->size();
        QThread::msleep(1000);
        EXPECT_LT(loudness(monitor->since(quiet)).first, 0) << "nothing buffered plays on";

        const qint64 afterwards = monitor->size();
        c.carryOn(voice);
        ASSERT_TRUE(voice.waitUntilDone(60000));
        letTheMonitorCatchUp();
        EXPECT_EQ(loudness(monitor->since(afterwards)).first >= 0, c.heardAgain);
    }
}

TEST_F(SpeakingAloudTest, ATrialWordOfTheDictionaryEditorIsHeard)
{
    Settings settings;
    settings.voiceIndex = russianVoice();
    settings.fullVolume = 1;
    SpeechTrialVoice trial(settings);
    const qint64 mark = monitor->size();
    trial.speak(QStringLiteral("за+мок"), true);
    EXPECT_TRUE(waitFor([&] { return loudness(monitor->since(mark)).first >= 0; }));
}

TEST(SoundServerLossTest, SpeakingGoesOnUnheardAndFindsTheServerAgainWhenItIsBack)
{
    struct Loss
    {
        const char *name;
        std::function<void(PrivateSoundServer &)> lose;
        std::function<void(PrivateSoundServer &)> restore;
    };
    const Loss losses[] = {
        {"killed", [](PrivateSoundServer &s) { s.signal(SIGKILL); }, [](PrivateSoundServer &s) { s.start(); }},
        {"stops answering", [](PrivateSoundServer &s) { s.signal(SIGSTOP); },
         [](PrivateSoundServer &s) { s.signal(SIGCONT); }},
        {"loses its device",
         [](PrivateSoundServer &s) {
             s.pactl({QStringLiteral("unload-module"), QStringLiteral("module-null-sink")});
         },
         [](PrivateSoundServer &s) {
             s.pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                      QStringLiteral("sink_name=lectorium_null")});
         }},
    };
    ASSERT_GE(russianVoice(), 0) << "espeak-ng has no Russian voice";
    for (const Loss &loss : losses) {
        SCOPED_TRACE(loss.name);
        PrivateSoundServer server;
        if (!server.isRunning())
            GTEST_SKIP() << "PulseAudio is not installed or does not start here";
        SpeechVoice voice;
        voice.selectVoice(russianVoice());
        voice.speak(longText(20), SVSFlagsAsync | SVSFIsNotXML);
        ASSERT_TRUE(waitFor([&] { return voice.status().inputWordPosition > 0; }));
        ASSERT_FALSE(voice.soundLost());

        loss.lose(server);
        ASSERT_TRUE(waitFor([&] { return voice.soundLost(); })) << "the voice notices that it is not heard";
        const int lostAt = voice.status().inputWordPosition;
        EXPECT_TRUE(waitFor([&] { return voice.status().inputWordPosition > lostAt; }))
            << "and goes on at the pace of speech";
        voice.speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak);
        EXPECT_TRUE(voice.waitUntilDone(60000)) << "stopping is not held up";

        loss.restore(server);
        voice.speak(QStringLiteral("Снова слышно."), SVSFlagsAsync | SVSFIsNotXML);
        EXPECT_TRUE(voice.waitUntilDone(60000));
        EXPECT_FALSE(voice.soundLost()) << "the next words find the server again";
    }
}
