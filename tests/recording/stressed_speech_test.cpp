// Stress marks heard: the voice puts the stress where the mark says, reduces
// the other vowels, and never reads a mark aloud.

#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/speech/speech_voice.h"
#include "support/temp_program_folder.h"
#include "wav_reading.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StressedSpeech : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const int russian = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
        ASSERT_GE(russian, 0) << "espeak-ng has no Russian voice";
        voice.selectVoice(russian);
    }

    QString phonemes(const QString &text) { return voice.phonemes(text, SVSFIsNotXML).trimmed(); }

    double spokenMsecs(const QString &text)
    {
        const QString path = dir.filePath(QStringLiteral("out%1.wav").arg(++files));
        auto stream = std::make_shared<WavFileStream>(voice.format());
        EXPECT_TRUE(stream->open(path));
        voice.setAudioOutputStream(stream);
        voice.speak(text, SVSFIsNotXML);
        stream->close();
        return readWavInfo(path).msecs();
    }

    QTemporaryDir dir;
    SpeechVoice voice;
    int files = 0;
};

// The syllable (from 0) of one word's phonemes that has the primary stress.
int stressedSyllable(const QString &phonemes)
{
    int vowels = 0;
    for (QChar c : phonemes.left(phonemes.indexOf(u'\'')))
        vowels += QStringLiteral("aeiouyAEIOUV8@").contains(c) ? 1 : 0;
    return vowels;
}

// Records the positions the voice reports while it speaks.
class StatusSink : public SpeechSink
{
public:
    explicit StatusSink(const SpeechVoice &voice) : m_voice(voice) { }
    void write(const char *, qint64) override { seen.append(m_voice.status()); }
    QList<SpeechStatus> seen;

private:
    const SpeechVoice &m_voice;
};

} // namespace

TEST_F(StressedSpeech, AMarkOnAnySyllableTakesTheStressAndReducesTheOthers)
{
    const QStringList words = {
        QStringLiteral("молоко"),   QStringLiteral("переворот"), QStringLiteral("обороноспособность"),
        QStringLiteral("яблоко"),   QStringLiteral("подумать"),  QStringLiteral("юбилей"),
        QStringLiteral("головами"), QStringLiteral("ёлочка"),
    };
    for (const QString &word : words) {
        int syllable = 0;
        for (int i = 0; i < word.size(); ++i) {
            if (!QStringLiteral("аеёиоуыэюя").contains(word.at(i)))
                continue;
            const QString marked = word.left(i + 1) + u'+' + word.mid(i + 1);
            const QString said = phonemes(marked);
            SCOPED_TRACE(QStringLiteral("%1 -> %2").arg(marked, said).toStdString());
            EXPECT_EQ(said.count(u'\''), 1);
            EXPECT_EQ(stressedSyllable(said), syllable);
            // an unstressed "о" is reduced: only a stressed one sounds [o]
            EXPECT_LE(said.count(u'o'), 1);
            EXPECT_EQ(said.contains(u"'o"), word.at(i) == u'о');
            EXPECT_FALSE(said.contains(QStringLiteral("pl'jus")));
            ++syllable;
        }
    }
}

TEST_F(StressedSpeech, UnmarkedWordsAndPlusSignsKeepTheVoicesReading)
{
    const QString own = phonemes(QStringLiteral("замок"));
    EXPECT_EQ(phonemes(QStringLiteral("замо+к")), own);
    EXPECT_EQ(phonemes(QStringLiteral("Замо`к")), own);
    EXPECT_NE(phonemes(QStringLiteral("за+мок")), own);
    EXPECT_EQ(stressedSyllable(phonemes(QStringLiteral("за+мок"))), 0);
    EXPECT_EQ(stressedSyllable(phonemes(QStringLiteral("замо+к"))), 1);
    // "ё" is stressed without a mark
    EXPECT_EQ(phonemes(QStringLiteral("ё+лочка")), phonemes(QStringLiteral("ёлочка")));
    // a plus that follows no vowel is still read out
    EXPECT_TRUE(phonemes(QStringLiteral("2+2")).contains(QStringLiteral("pl'jus")));
    EXPECT_EQ(phonemes(QStringLiteral("C++")).count(QStringLiteral("pl'jus")), 2);
}

TEST_F(StressedSpeech, DictionaryStressSpeaksNoLongerThanTheBareWords)
{
    REQUIRE_SHARED_DATA();
    const QByteArray bytes =
        UserFile::readBytes(sharedDataPath(QStringLiteral("dictionaries/rulex-implicit.dic"))).value();
    QStringList replacements;
    for (const QString &line : UserFile::splitLines(Codec::decodeUserFile(bytes))) {
        const QString replacement = line.section(u'=', 1);
        if (!line.startsWith(u"//") && replacement.contains(u'+') && replacements.size() < 15)
            replacements.append(replacement);
    }
    ASSERT_EQ(replacements.size(), 15);
    const QString marked = QStringLiteral("Сегодня ") + replacements.join(u' ') + u'.';
    const QString bare = QString(marked).remove(u'+');
    // some of the words are stressed otherwise than the voice would
    EXPECT_NE(phonemes(marked), phonemes(bare));
    const double withMarks = spokenMsecs(marked);
    const double withoutMarks = spokenMsecs(bare);
    // fifteen words read with "плюс" would last seconds longer
    EXPECT_NEAR(withMarks, withoutMarks, withoutMarks * 0.05) << marked.toStdString();
}

TEST_F(StressedSpeech, PositionsCountTheMarksOfTheGivenText)
{
    const QString xml = QStringLiteral("<rate absspeed=\"2\"/>Старый за+мок, мо+локо. Пе+ред нами.");
    auto sink = std::make_shared<StatusSink>(voice);
    voice.setAudioOutputStream(sink);
    voice.speak(xml, SVSFIsXML);
    sink->seen.append(voice.status()); // the last word may start in the last piece of sound
    QStringList words, sentences;
    for (const SpeechStatus &s : sink->seen) {
        const QString word = xml.mid(s.inputWordPosition, s.inputWordLength);
        if (s.inputWordLength > 0 && (words.isEmpty() || words.last() != word))
            words.append(word);
        const QString sentence = xml.mid(s.inputSentencePosition, s.inputSentenceLength);
        if (s.inputSentenceLength > 0 && (sentences.isEmpty() || sentences.last() != sentence))
            sentences.append(sentence);
    }
    EXPECT_EQ(words, (QStringList{QStringLiteral("Старый"), QStringLiteral("за+мок"), QStringLiteral("мо+локо"),
                                  QStringLiteral("Пе+ред"), QStringLiteral("нами")}));
    EXPECT_EQ(sentences, (QStringList{QStringLiteral("Старый за+мок, мо+локо."), QStringLiteral("Пе+ред нами.")}));
}
