// A two-block book recorded by the driver with the real voice into WAV files.

#include "driver_stand_ins.h"
#include "recording/project_block_texts.h"
#include "recording/speech/voice_table.h"
#include "recording/speech_recording_voice.h"
#include "support/temp_program_folder.h"
#include "wav_reading.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

TEST(SpeechRecording, DriverSpeaksEveryBlockIntoItsWav)
{
    for (const int followEngine : {0, 1}) {
        SCOPED_TRACE(followEngine);
        TempProgramFolder folder;
        folder.writeCp1251(QStringLiteral("Projects/Книга/0001.txt"),
                           QStringLiteral(" {повествование->} Первый блок. {речь->} Короткий."));
        folder.writeCp1251(QStringLiteral("Projects/Книга/0002.txt"), QStringLiteral("Второй блок книги."));
        const QString audio = folder.file(QStringLiteral("Audiobooks/Книга"));
        QDir().mkpath(audio);

        Settings settings;
        settings.compressMp3 = false;
        settings.followEngine = followEngine;
        settings.voiceIndex = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
        settings.pauseAtEnd = 300;
        loadVoiceTable(folder.path());
        BlockTextSource source(settings, folder.path(), nullptr);
        ProjectBlockTexts texts(source, QStringLiteral("Книга"));
        SpeechRecordingVoice voice(settings);
        StandInFiles files(audio);
        EncoderPool encoder;
        StandInClock clock;
        StandInHost host;
        RecordingDriver driver(settings, folder.path(), voice, texts, sharedFiles(files), encoder, clock, host);
        int ends = 0;
        QObject::connect(&driver, &RecordingDriver::finished, [&](const RecordingOutcome &) { ++ends; });

        driver.startSingle({QStringLiteral("Книга"), audio, 2, 1, 2, {}});
        for (int i = 0; i < 400 && ends == 0; ++i) {
            driver.tick();
            clock.seconds += 0.5;
            QThread::msleep(10);
        }
        ASSERT_EQ(ends, 1);
        const WavInfo first = readWavInfo(audio + QStringLiteral("/0001.wav"));
        const WavInfo second = readWavInfo(audio + QStringLiteral("/0002.wav"));
        EXPECT_TRUE(first.valid);
        EXPECT_TRUE(second.valid);
        EXPECT_GT(first.seconds(), 1.0);
        EXPECT_GT(second.seconds(), 1.0);
        voiceTable() = VoiceTable{};
    }
}
