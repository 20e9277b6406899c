// Reading chapters aloud (into the silent real-time sink on a machine without
// sound) and following the word being heard.

#include "reader/chapter_reader.h"
#include "reader/chapter_text.h"
#include "recording/speech/speech_program_definition.h"
#include "recording/speech/voice_table.h"

#include "support/wait_for.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ChapterReaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        russian = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
        ASSERT_GE(russian, 0) << "espeak-ng has no Russian voice";
    }

    int russian = -1;
    ChapterReader reader;
};

} // namespace

TEST_F(ChapterReaderTest, TheWordHeardMovesForwardThroughTheShownText)
{
    // Indents and line ends as the view holds them: the positions must fall
    // on the words of this very text.
    const QString text = chapterDisplayText(QStringLiteral("Глава первая\r\n Утро было тихим и ясным.\r\n"));
    reader.start(russian, true);
    reader.read(text);
    QStringList heard;
    int lastStart = -1;
    ASSERT_TRUE(waitFor([&] {
        const ChapterReader::Progress progress = reader.poll();
        if (progress.finished)
            return true;
        if (progress.wordLength > 0 && progress.wordStart != lastStart) {
            EXPECT_GT(progress.wordStart, lastStart);
            lastStart = progress.wordStart;
            heard.append(text.mid(progress.wordStart, progress.wordLength));
        }
        return false;
    }));
    EXPECT_GE(heard.size(), 3) << heard.join(u'|').toStdString();
    const QStringList words = {QStringLiteral("Глава"), QStringLiteral("первая"), QStringLiteral("Утро"),
                               QStringLiteral("было"),  QStringLiteral("тихим"),  QStringLiteral("и"),
                               QStringLiteral("ясным")};
    for (const QString &word : heard)
        EXPECT_TRUE(words.contains(word)) << word.toStdString();
}

TEST_F(ChapterReaderTest, StopSilencesAndOnlyStartReadsAgain)
{
    const QString text = QStringLiteral("Это длинная глава, которую никто не дослушает до самого конца, "
                                        "потому что чтение остановят гораздо раньше.");
    reader.read(text);
    EXPECT_FALSE(reader.isReading());
    EXPECT_TRUE(reader.poll().finished) << "nothing is read before start";

    reader.start(russian, true);
    reader.read(text);
    ASSERT_TRUE(waitFor([&] { return reader.poll().wordStart > 0; }));
    reader.togglePause();
    EXPECT_TRUE(reader.isPaused());
    reader.stop();
    EXPECT_FALSE(reader.isReading());
    EXPECT_FALSE(reader.isPaused());
    ASSERT_TRUE(waitFor([&] { return reader.poll().finished; }));

    reader.start(russian, true);
    reader.read(text);
    EXPECT_FALSE(reader.poll().finished);
    EXPECT_LT(reader.poll().wordStart, 10) << "a new start reads from the beginning";
}

TEST_F(ChapterReaderTest, EachRoleIsReadByItsVoiceAndTheWordHeardStaysOnTheText)
{
    VoiceParams own;
    own.name = QStringLiteral("Russian");
    own.roleVoice = {QString(), QStringLiteral("Russian+m3")};
    voiceTable() = VoiceTable(russian + 1, own);
    const ChapterText chapter =
        chapterText(QStringLiteral("Он вошёл и сел. {речь->}  Иди домой, {автор->}  сказал он тихо.\r\n"));
    reader.start(russian, true);
    reader.read(chapter);
    QStringList heard;
    ASSERT_TRUE(waitFor([&] {
        const ChapterReader::Progress progress = reader.poll();
        const QString word = chapter.text.mid(progress.wordStart, progress.wordLength);
        if (progress.wordLength > 0 && (heard.isEmpty() || heard.last() != word))
            heard.append(word);
        return progress.finished;
    }));
    voiceTable().clear();
    const QStringList words = chapter.text.split(QRegularExpression(QStringLiteral("[\\s.,!?-]+")), Qt::SkipEmptyParts);
    for (const QString &word : heard)
        EXPECT_TRUE(words.contains(word)) << word.toStdString();
    // The words after the speech marker, spoken by the role's voice, are followed too.
    EXPECT_TRUE(heard.contains(QStringLiteral("домой")) || heard.contains(QStringLiteral("сказал")))
        << heard.join(u'|').toStdString();
}

TEST(ChapterReaderProgramVoice, ReadsWithoutWordPositionsAndTellsAFailure)
{
    SpeechProgramDefinition program;
    program.enabled = true;
    program.name = QStringLiteral("Программа");
    program.command = QStringLiteral("espeak-ng -v ru -w {wav} -f {text}");
    SpeechProgramDefinition failing = program;
    failing.command = QStringLiteral("espeak-ng -v нет-такого-голоса -w {wav} -f {text}");
    const int voice = int(SpeechVoice::voices().size() - installedSpeechPrograms().size());
    for (const bool fails : {false, true}) {
        setInstalledSpeechPrograms({fails ? failing : program});
        ChapterReader reader;
        reader.start(voice, true);
        reader.read(QStringLiteral("Короткая глава."));
        ChapterReader::Progress progress;
        ASSERT_TRUE(waitFor([&] { return (progress = reader.poll()).finished; }));
        EXPECT_FALSE(progress.wordsReported);
        EXPECT_EQ(progress.wordLength, 0);
        EXPECT_EQ(progress.failure.isEmpty(), !fails) << progress.failure.toStdString();
    }
    setInstalledSpeechPrograms({});
}
