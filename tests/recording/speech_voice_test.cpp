// The voice over espeak-ng speaking Russian into WAV files and test sinks.

#include "recording/speech/memory_stream.h"
#include "recording/speech/speech_output_rate.h"
#include "recording/speech/speech_voice.h"
#include "support/file_size_limit.h"
#include "support/temp_program_folder.h"
#include "wav_reading.h"

#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

const QString kThreeSentences = QStringLiteral("Первое предложение. Второе &lt;длинное&gt; предложение! Третье?");

class VoiceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int russian = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
        ASSERT_GE(russian, 0) << "espeak-ng has no Russian voice";
        voice.selectVoice(russian);
    }

    WavInfo speakToWav(const QString &text, int kindFlag = SVSFIsXML)
    {
        const QString path = dir.filePath(QStringLiteral("out%1.wav").arg(++files));
        auto stream = std::make_shared<WavFileStream>(voice.format());
        EXPECT_TRUE(stream->open(path));
        voice.setAudioOutputStream(stream);
        voice.speak(text, SVSFlagsAsync | SVSFPurgeBeforeSpeak | kindFlag);
        EXPECT_TRUE(voice.waitUntilDone(20000));
        stream->close();
        return readWavInfo(path);
    }

    QTemporaryDir dir;
    SpeechVoice voice;
    int files = 0;
};

// Passes sound on slowly (about five times real time) and lets the test look
// at the voice while it speaks.
class SlowSink : public SpeechSink
{
public:
    explicit SlowSink(std::shared_ptr<SpeechSink> inner = nullptr) : m_inner(std::move(inner)) { }
    void write(const char *pcm, qint64 bytes) override
    {
        QThread::msleep(10);
        if (m_inner)
            m_inner->write(pcm, bytes);
        if (onWrite)
            onWrite();
        written += bytes;
    }
    std::function<void()> onWrite;
    std::atomic<qint64> written{0};

private:
    std::shared_ptr<SpeechSink> m_inner;
};

QString longText(int sentences)
{
    QString text;
    for (int i = 0; i < sentences; ++i)
        text += QStringLiteral("Это предложение номер %1 в длинном тексте. ").arg(i + 1);
    return text;
}

} // namespace

TEST_F(VoiceTest, ListsVoicesWithRussianByReadableName)
{
    const QList<VoiceToken> voices = SpeechVoice::voices();
    ASSERT_FALSE(voices.isEmpty());
    const VoiceToken &russian = voices.at(SpeechVoice::voiceForLanguage(QStringLiteral("ru")));
    EXPECT_EQ(russian.description, QStringLiteral("Russian"));
    EXPECT_EQ(russian.kind, MarkupKind::SapiXml);
    EXPECT_FALSE(voice.selectVoice(int(voices.size())));
}

TEST_F(VoiceTest, WritesAValidPcmWav)
{
    const WavInfo wav = speakToWav(kThreeSentences);
    EXPECT_TRUE(wav.valid);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_EQ(wav.fileBytes, 44 + wav.dataBytes);
    EXPECT_GT(wav.seconds(), 1.0);
    // The rate every speaking-time estimate divides by is the one in the header.
    EXPECT_EQ(speechBytesPerSecond(), wav.sampleRate * wav.channels * wav.bits / 8);
    EXPECT_EQ(speechBytesPerSecond(), 44100);
}

TEST_F(VoiceTest, SilenceElementAddsItsLength)
{
    const QString sentence = QStringLiteral("Привет, мир.");
    const WavInfo plain = speakToWav(sentence);
    const WavInfo withSilence = speakToWav(QStringLiteral("<silence msec=\"500\"/>") + sentence);
    EXPECT_NEAR(withSilence.msecs() - plain.msecs(), 500, 5);
}

TEST_F(VoiceTest, HigherRateGivesShorterSoundAndPitchKeepsLength)
{
    const QString text = QStringLiteral("Съешь же ещё этих мягких французских булок.");
    const WavInfo normal = speakToWav(QStringLiteral("<rate absspeed=\"0\"/>") + text);
    const WavInfo fast = speakToWav(QStringLiteral("<rate absspeed=\"5\"/>") + text);
    const WavInfo slow = speakToWav(QStringLiteral("<rate absspeed=\"-5\"/>") + text);
    EXPECT_LT(fast.msecs(), normal.msecs() * 0.8);
    EXPECT_GT(slow.msecs(), normal.msecs() * 1.2);
    const WavInfo high = speakToWav(QStringLiteral("<pitch absmiddle=\"8\"/>") + text);
    EXPECT_NEAR(high.msecs(), normal.msecs(), normal.msecs() * 0.1);
}

TEST_F(VoiceTest, PlainTextKeepsAngleBracketsAsText)
{
    // The same words; as XML the tag is markup, as plain text it is read out.
    const WavInfo xml = speakToWav(QStringLiteral("Да <silence msec=\"1\"/> нет."), SVSFIsXML);
    const WavInfo plain = speakToWav(QStringLiteral("Да <silence msec=\"1\"/> нет."), SVSFIsNotXML);
    EXPECT_GT(plain.msecs(), xml.msecs() + 500);
}

TEST_F(VoiceTest, PositionsAdvanceThroughSentencesInTheGivenText)
{
    const QString xml = QStringLiteral("<rate absspeed=\"2\"/>") + kThreeSentences;
    auto sink = std::make_shared<SlowSink>();
    QList<SpeechStatus> seen;
    sink->onWrite = [&] { seen.append(voice.status()); };
    voice.setAudioOutputStream(sink);
    voice.speak(xml, SVSFlagsAsync | SVSFIsXML);
    ASSERT_TRUE(voice.waitUntilDone(20000));
    ASSERT_FALSE(seen.isEmpty());

    QList<int> sentenceStarts;
    int lastWord = -1;
    for (const SpeechStatus &s : seen) {
        if (s.inputSentenceLength == 0) // the sink saw the sound before its first sentence was told
            continue;
        if (sentenceStarts.isEmpty() || sentenceStarts.last() != s.inputSentencePosition) {
            if (!sentenceStarts.isEmpty()) {
                EXPECT_GT(s.inputSentencePosition, sentenceStarts.last());
            }
            sentenceStarts.append(s.inputSentencePosition);
        }
        EXPECT_GE(s.inputWordPosition, lastWord);
        lastWord = s.inputWordPosition;
    }
    const QList<int> expected = {int(xml.indexOf(u"Первое")), int(xml.indexOf(u"Второе")), int(xml.indexOf(u"Третье"))};
    EXPECT_EQ(sentenceStarts, expected);
    const SpeechStatus last = seen.last();
    EXPECT_EQ(xml.mid(last.inputSentencePosition, last.inputSentenceLength), QStringLiteral("Третье?"));
    EXPECT_EQ(xml.mid(last.inputWordPosition, last.inputWordLength), QStringLiteral("Третье"));
    // The middle sentence is measured in the marked-up text, entities and all.
    const int second = expected.at(1);
    const auto middle = std::find_if(seen.begin(), seen.end(),
                                     [&](const SpeechStatus &s) { return s.inputSentencePosition == second; });
    EXPECT_EQ(xml.mid(second, middle->inputSentenceLength), QStringLiteral("Второе &lt;длинное&gt; предложение!"));
    EXPECT_EQ(voice.status().runningState, SpeechStatus::Done);
}

TEST_F(VoiceTest, PurgeStopsSpeechAtOnce)
{
    auto sink = std::make_shared<SlowSink>();
    voice.setAudioOutputStream(sink);
    voice.speak(longText(20), SVSFlagsAsync | SVSFIsNotXML);
    while (sink->written < voice.format().bytesPerSecond() / 2)
        QThread::msleep(5);
    EXPECT_EQ(voice.status().runningState, SpeechStatus::IsSpeaking);
    const qint64 atPurge = sink->written;

    voice.setAudioOutputStream(std::make_shared<SpeechMemoryStream>());
    voice.speak(QStringLiteral("."), SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsXML);
    ASSERT_TRUE(voice.waitUntilDone(5000));
    const double msecsAfterPurge = double(sink->written - atPurge) * 1000 / voice.format().bytesPerSecond();
    EXPECT_LE(msecsAfterPurge, 200);
}

TEST_F(VoiceTest, PauseHoldsTheFileAndResumeContinuesIt)
{
    const QString path = dir.filePath(QStringLiteral("paused.wav"));
    auto file = std::make_shared<WavFileStream>(voice.format());
    ASSERT_TRUE(file->open(path));
    auto sink = std::make_shared<SlowSink>(file);
    voice.setAudioOutputStream(sink);
    const QString text = longText(3);
    voice.speak(text, SVSFlagsAsync | SVSFIsNotXML);
    while (sink->written == 0)
        QThread::msleep(5);
    voice.pause();
    QThread::msleep(50); // a write under way when the pause came may still end
    const WavInfo held = readWavInfo(path);
    EXPECT_TRUE(held.valid);
    EXPECT_FALSE(voice.waitUntilDone(150));
    EXPECT_EQ(readWavInfo(path).dataBytes, held.dataBytes);

    voice.resume();
    ASSERT_TRUE(voice.waitUntilDone(20000));
    file->close();
    const WavInfo finished = readWavInfo(path);
    EXPECT_TRUE(finished.valid);
    // espeak-ng's sound varies by a few milliseconds from run to run; a lost
    // piece of sound (100 ms) would show
    const double unpaused = speakToWav(text, SVSFIsNotXML).msecs();
    EXPECT_NEAR(finished.msecs(), unpaused, unpaused / 100);
}

TEST_F(VoiceTest, MemoryStreamHoldsTheSameSoundAsTheFile)
{
    const QString text = QStringLiteral("Память и файл.");
    const WavInfo file = speakToWav(text);
    auto memory = std::make_shared<SpeechMemoryStream>();
    voice.setAudioOutputStream(memory);
    voice.speak(text, SVSFIsXML); // synchronous: returns when spoken
    EXPECT_EQ(voice.status().runningState, SpeechStatus::Done);
    EXPECT_NEAR(memory->data().size(), file.dataBytes, file.dataBytes / 100.0);
}

// Sound beyond what a WAV header can state is refused, never written under a
// header that says less (the encoder would then keep only the first part).
TEST(WavFileStreamTest, SoundBeyondTheHeaderLimitIsRefused)
{
    TempProgramFolder folder;
    WavFileStream file(PcmFormat{}, 1500);
    ASSERT_TRUE(file.open(folder.file(QStringLiteral("1.wav"))));
    ASSERT_TRUE(file.append(QByteArray(1000, 'a')));
    EXPECT_FALSE(file.append(QByteArray(1000, 'b')));
    EXPECT_FALSE(file.close());
    EXPECT_EQ(QFileInfo(folder.file(QStringLiteral("1.wav"))).size(), 44 + 1000);
    EXPECT_GE(WavFileStream::kMaxDataBytes, quint64(4000000000));
}

TEST(WavFileStreamTest, CloseSaysWhenTheDiskCouldNotTakeTheSound)
{
    TempProgramFolder folder;
    WavFileStream file;
    ASSERT_TRUE(file.open(folder.file(QStringLiteral("1.wav"))));
    ASSERT_TRUE(file.append(QByteArray(1000, 'a')));
    {
        const FileSizeLimit limit(20000);
        file.append(QByteArray(50000, 'b'));
        EXPECT_FALSE(file.close());
    }
    ASSERT_TRUE(file.open(folder.file(QStringLiteral("2.wav"))));
    ASSERT_TRUE(file.append(QByteArray(1000, 'a')));
    EXPECT_TRUE(file.close());
}
