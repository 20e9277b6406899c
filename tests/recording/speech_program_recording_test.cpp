// A book recorded by the driver through a speech program: a program that
// hangs is killed and started again, one that fails stops the recording
// with its error output in the message and in ERROR.TXT.

#include "common/text_codec.h"
#include "driver_stand_ins.h"
#include "recording/project_block_texts.h"
#include "recording/recording_job.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_table.h"
#include "recording/speech_recording_voice.h"
#include "speech_program_test_support.h"
#include "wav_reading.h"

#include <QDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A job host for one book that is never started.
class OneBookJobHost : public StandInHostOf<RecordingJobHost>
{
public:
    RecordedBook selectedBook() override { return {QStringLiteral("Книга"), QString(), 1, 1, 1, {}}; }
    void setRange(const QString &, int, int) override { }
    void showRecording(bool) override { }
};

class ProgramRecordingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeCp1251(QStringLiteral("Projects/Книга/0001.txt"),
                           QStringLiteral(" {повествование->} Первый блок книги. {речь->} Короткий ответ."));
        QDir().mkpath(audio);
        settings.compressMp3 = false;
    }
    void TearDown() override
    {
        setInstalledSpeechPrograms({});
        voiceTable() = VoiceTable{};
    }

    // Records the one-block book through `program`; false when it did not end.
    bool record(const SpeechProgramDefinition &program)
    {
        setInstalledSpeechPrograms({program});
        voiceTable() = loadVoiceTable(descriptions(), folder.file(QStringLiteral("Voice.ini")));
        settings.voiceIndex = int(SpeechVoice::voices().size()) - 1;
        BlockTextSource source(settings, folder.path(), nullptr);
        ProjectBlockTexts texts(source, QStringLiteral("Книга"));
        SpeechRecordingVoice voice(settings);
        StandInFiles files(audio);
        EncoderPool encoder;
        RecordingDriver driver(settings, folder.path(), voice, texts, sharedFiles(files), encoder, clock, host);
        driver.stallSeconds = 5;
        driver.restartPauseMsecs = driver.rewritePauseMsecs = 0;
        bool ended = false;
        QObject::connect(&driver, &RecordingDriver::finished, [&](const RecordingOutcome &o) {
            ended = true;
            outcome = o;
        });
        driver.startSingle({QStringLiteral("Книга"), audio, 1, 1, 1, {}});
        for (int i = 0; i < 600 && !ended; ++i) {
            driver.tick();
            clock.seconds += 0.5;
            QThread::msleep(20);
        }
        attempts = driver.attempts();
        return ended;
    }

    static QStringList descriptions()
    {
        QStringList names;
        for (const VoiceToken &voice : SpeechVoice::voices())
            names.append(voice.description);
        return names;
    }

    TempProgramFolder folder;
    const QString audio = folder.file(QStringLiteral("Audiobooks/Книга"));
    Settings settings;
    StandInClock clock;
    StandInHost host;
    RecordingOutcome outcome;
    int attempts = 0;
};

} // namespace

TEST_F(ProgramRecordingTest, HangingProgramIsKilledAndStartedAgain)
{
    // The first run hangs; every later one is espeak-ng.
    const QString marker = folder.file(QStringLiteral("hung once"));
    const QString script = writeScript(folder, QStringLiteral("зависающий голос.sh"),
                                       QStringLiteral("if [ ! -e '%1' ]; then touch '%1'; exec sleep 600; fi\n"
                                                      "exec espeak-ng -v ru -w \"$1\" -f \"$2\"")
                                           .arg(marker));
    SpeechProgramDefinition program = espeakCommandLineVoice();
    program.command = u'"' + script + QStringLiteral("\" {wav} {text}");
    ASSERT_TRUE(record(program));
    EXPECT_FALSE(outcome.engineFailed);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_EQ(attempts, 1);
    const WavInfo wav = readWavInfo(audio + QStringLiteral("/0001.wav"));
    EXPECT_TRUE(wav.valid);
    EXPECT_GT(wav.seconds(), 2.0);
    EXPECT_TRUE(host.scripted.shown.isEmpty());
}

TEST_F(ProgramRecordingTest, FailingProgramStopsTheBookWithItsErrorOutput)
{
    const QString script = writeScript(folder, QStringLiteral("сломанный голос.sh"),
                                       QStringLiteral("echo 'Нет голоса irina' >&2\nexit 2"));
    SpeechProgramDefinition program = espeakCommandLineVoice();
    program.command = u'"' + script + QStringLiteral("\" {wav} {text}");
    ASSERT_TRUE(record(program));
    EXPECT_TRUE(outcome.engineFailed);
    ASSERT_EQ(host.scripted.shown.size(), 1);
    const QString message = host.scripted.shown.at(0).text;
    EXPECT_TRUE(message.contains(QStringLiteral("код 2"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Нет голоса irina")));
    EXPECT_TRUE(message.contains(QStringLiteral("ERROR.TXT")));
    const QString report = Codec::decodeUserFile(folder.readBytes(QStringLiteral("ERROR.TXT")));
    EXPECT_TRUE(report.contains(QStringLiteral("Нет голоса irina\r\n")));
    EXPECT_FALSE(QFile::exists(audio + QStringLiteral("/0001.wav")));
}

TEST(ProgramRecordingJob, MissingProgramIsToldBeforeTheRecordingStarts)
{
    TempProgramFolder folder;
    SpeechProgramDefinition program = espeakCommandLineVoice();
    program.command = QStringLiteral("/нет/такой/программы/piper --output_file {wav}");
    setInstalledSpeechPrograms({program});
    Settings settings;
    settings.voiceIndex = int(SpeechVoice::voices().size()) - 1;
    SpeechRecordingVoice voice(settings);
    StandInTexts texts;
    StandInFiles files(folder.path());
    EncoderPool encoder;
    StandInClock clock;
    OneBookJobHost host;
    RecordingDriver driver(settings, folder.path(), voice, texts, sharedFiles(files), encoder, clock, host);
    RecordingJob job(settings, driver, host);
    EXPECT_FALSE(job.startRecording());
    ASSERT_EQ(host.scripted.shown.size(), 1);
    EXPECT_TRUE(host.scripted.shown.at(0).text.contains(QStringLiteral("«/нет/такой/программы/piper»")));
    EXPECT_TRUE(host.scripted.shown.at(0).text.contains(QStringLiteral("не найдена")));
    EXPECT_FALSE(driver.isRecording());
    setInstalledSpeechPrograms({});
}
