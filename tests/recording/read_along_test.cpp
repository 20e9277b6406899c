// Read-along text: sentences and words of a spoken block with the times the
// voice's word positions give them, the LRC and SRT made of them, and a real
// block recorded with the LRC checked against its own sound.

#include "app/project_store.h"
#include "recording/block_read_along.h"
#include "recording/block_text.h"
#include "recording/read_along.h"
#include "recording/speech/voice_table.h"
#include "recording/speech_recording_voice.h"

#include "support/temp_program_folder.h"
#include "wav_reading.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace {

TimedSpan word(const QString &text, const QString &inText, double seconds, int from = 0)
{
    return {TimedSpan::Word, int(text.indexOf(inText, from)), int(inText.size()), seconds, 0};
}

QStringList textsOf(const QList<ReadAlongLine> &lines)
{
    QStringList texts;
    for (const ReadAlongLine &line : lines)
        texts << line.text;
    return texts;
}

} // namespace

TEST(ReadAlong, SentencesAreTimedByTheirFirstWordHeard)
{
    // What the recording gives the voice: SAPI XML with pauses, entities and
    // stress marks; none of it is for the reader's eyes.
    const QString xml = QStringLiteral("<silence msec=\"500\"/>Глава пе+рвая<silence msec=\"900\"/>"
                                       "За+мок стоял на горе. Где &lt;он&gt; теперь?\r\nНикто не знает…");
    const QList<TimedSpan> spans = {
        word(xml, QStringLiteral("Глава"), 0.5),  word(xml, QStringLiteral("пе+рвая"), 0.9),
        word(xml, QStringLiteral("За+мок"), 2.1), word(xml, QStringLiteral("стоял"), 2.5),
        word(xml, QStringLiteral("Где"), 4.0),    word(xml, QStringLiteral("теперь"), 4.6),
        word(xml, QStringLiteral("Никто"), 6.25), word(xml, QStringLiteral("знает"), 6.9),
    };
    const QList<ReadAlongLine> lines = readAlongLines(parseSapiXml(xml), spans);
    EXPECT_EQ(textsOf(lines), (QStringList{QStringLiteral("Глава первая"), QStringLiteral("Замок стоял на горе."),
                                           QStringLiteral("Где <он> теперь?"), QStringLiteral("Никто не знает…")}));
    ASSERT_EQ(lines.size(), 4);
    const double starts[] = {0.5, 2.1, 4.0, 6.25};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(lines[i].seconds, starts[i]) << i;
    ASSERT_EQ(lines[1].words.size(), 2);
    EXPECT_EQ(lines[1].words[0].text, QStringLiteral("Замок"));
    EXPECT_EQ(lines[1].words[1].offset, int(QStringLiteral("Замок ").size()));

    EXPECT_EQ(
        lrcText(lines, {QStringLiteral("Глава 1"), QStringLiteral("Автор"), {}, 7.5}, false),
        QStringLiteral("[ti:Глава 1]\n[ar:Автор]\n[length:00:07]\n[re:Lectorium]\n[00:00.50]Глава первая\n"
                       "[00:02.10]Замок стоял на горе.\n[00:04.00]Где <он> теперь?\n[00:06.25]Никто не знает…\n"));
    const QString byWord = lrcText(lines, {}, true);
    EXPECT_TRUE(byWord.contains(QStringLiteral("[00:02.10]<00:02.10>Замок <00:02.50>стоял на горе.\n")));
    // Read back (as the whole book reads its blocks), the lines and words are the same.
    const QList<ReadAlongLine> back = parseLrc(byWord);
    ASSERT_EQ(back.size(), lines.size());
    for (qsizetype i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].text, lines[i].text);
        EXPECT_NEAR(back[i].seconds, lines[i].seconds, 0.005);
        ASSERT_EQ(back[i].words.size(), lines[i].words.size());
        for (qsizetype w = 0; w < back[i].words.size(); ++w)
            EXPECT_EQ(back[i].words[w].offset, lines[i].words[w].offset);
    }
    EXPECT_EQ(srtText(shiftedLines(lines.mid(2), 3600), 3608),
              QStringLiteral("1\n01:00:04,000 --> 01:00:06,250\nГде <он> теперь?\n\n"
                             "2\n01:00:06,250 --> 01:00:08,000\nНикто не знает…\n\n"));
    EXPECT_EQ(lrcTime(6125.456), QStringLiteral("102:05.46"));
}

TEST(ReadAlong, AProgramsStretchSharesItsTimeByTheLengthOfItsSentences)
{
    // A speech program tells only where each stretch begins and how long it sounds.
    const QString text = QStringLiteral("Один два. Три четыре пять шесть. Семь.");
    const QList<TimedSpan> spans = {{TimedSpan::Stretch, 0, int(text.size()), 1.0, 10.0}};
    const QList<ReadAlongLine> lines = readAlongLines(plainTextPieces(text), spans);
    ASSERT_EQ(lines.size(), 3);
    const int blanks = int(text.count(u' '));
    const double perCharacter = 10.0 / (text.size() - blanks);
    EXPECT_DOUBLE_EQ(lines[0].seconds, 1.0);
    EXPECT_NEAR(lines[1].seconds, 1.0 + 8 * perCharacter, 1e-9);  // "Одиндва."
    EXPECT_NEAR(lines[2].seconds, 1.0 + 27 * perCharacter, 1e-9); // and "Тричетырепятьшесть."
    EXPECT_TRUE(lines[1].words.isEmpty());
}

namespace {

// 10 ms frames of the WAV: true where there is sound.
QList<bool> loudFrames(const QString &wavPath, int sampleRate)
{
    QFile file(wavPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pcm = file.readAll().mid(44);
    const int frame = sampleRate / 100;
    QList<bool> loud;
    const auto *samples = reinterpret_cast<const qint16 *>(pcm.constData());
    const qsizetype count = pcm.size() / 2;
    for (qsizetype at = 0; at + frame <= count; at += frame) {
        double sum = 0;
        for (int i = 0; i < frame; ++i)
            sum += double(samples[at + i]) * samples[at + i];
        loud << (std::sqrt(sum / frame) > 500);
    }
    return loud;
}

// Where sound begins after at least `quietFrames` of quiet (and at the start).
QList<double> soundOnsets(const QList<bool> &loud, int quietFrames)
{
    QList<double> onsets;
    int quiet = quietFrames;
    for (qsizetype i = 0; i < loud.size(); ++i) {
        if (loud[i] && quiet >= quietFrames)
            onsets << i / 100.0;
        quiet = loud[i] ? 0 : quiet + 1;
    }
    return onsets;
}

} // namespace

TEST(ReadAlong, ARecordedBlocksTimesAreWhereItsSentencesAndWordsAreHeard)
{
    TempProgramFolder folder;
    const QString book = QStringLiteral("Книга");
    folder.writeCp1251(QStringLiteral("Projects/Книга/0001.txt"),
                       QStringLiteral("Глава первая\r\n {повествование->} Старый дом стоял на краю деревни. "
                                      "{речь->} Кто там живёт? {повествование->} По вечерам в его окнах горел "
                                      "тёплый свет, и за+мок на воротах блестел. Хозяин любил долгие прогулки.\r\n"));
    Settings settings;
    settings.voiceIndex = SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
    ASSERT_GE(settings.voiceIndex, 0);
    settings.pauseAtStart = 400;
    settings.readAlong = true;
    settings.readAlongWords = true;
    loadVoiceTable(folder.path());
    const QString text = BlockTextSource(settings, folder.path(), nullptr).blockText(1, true, true, book);
    const QString wav = folder.file(QStringLiteral("0001.wav"));
    SpeechRecordingVoice voice(settings);
    ASSERT_TRUE(voice.speakToFile(wav, text, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsXML));
    ASSERT_TRUE(voice.waitUntilDone(120000));
    ASSERT_TRUE(voice.finishBlock());
    voiceTable() = VoiceTable{};

    const std::optional<QByteArray> lrc = QFile::exists(readAlongPathFor(wav))
                                              ? std::optional<QByteArray>(folder.readBytes(QStringLiteral("0001.lrc")))
                                              : std::nullopt;
    ASSERT_TRUE(lrc);
    const QList<ReadAlongLine> lines = parseLrc(QString::fromUtf8(*lrc));
    EXPECT_EQ(textsOf(lines),
              (QStringList{QStringLiteral("Глава первая"), QStringLiteral("Старый дом стоял на краю деревни."),
                           QStringLiteral("Кто там живёт?"),
                           QStringLiteral("По вечерам в его окнах горел тёплый свет, и замок на "
                                          "воротах блестел."),
                           QStringLiteral("Хозяин любил долгие прогулки.")}));

    const WavInfo info = readWavInfo(wav);
    ASSERT_TRUE(info.valid);
    const QList<bool> loud = loudFrames(wav, info.sampleRate);
    // Each sentence after a full stop begins where the sound begins after
    // the pause the full stop makes, within 0.3 s (a heading ends with too
    // short a pause to be told from the silence between words).
    const QList<double> onsets = soundOnsets(loud, 15);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ReadAlongLine &line = lines[i];
        if (i > 0 && !lines[i - 1].text.endsWith(u'.') && !lines[i - 1].text.endsWith(u'?'))
            continue;
        const auto nearest = std::min_element(onsets.cbegin(), onsets.cend(), [&](double a, double b) {
            return std::abs(a - line.seconds) < std::abs(b - line.seconds);
        });
        ASSERT_NE(nearest, onsets.cend());
        EXPECT_LE(std::abs(*nearest - line.seconds), 0.3) << line.text.toStdString();
    }
    // Each word is heard within 0.3 s of its time, and the words of a line
    // are its text's words in order.
    const auto lettersOnly = [](QString text) {
        text.removeIf([](QChar c) { return !c.isLetterOrNumber() && c != u' '; });
        return text;
    };
    for (const ReadAlongLine &line : lines) {
        QStringList said;
        for (const ReadAlongWord &w : line.words) {
            said << w.text;
            const int frame = int(w.seconds * 100);
            const bool heard =
                std::any_of(loud.cbegin() + std::clamp(frame, 0, int(loud.size())),
                            loud.cbegin() + std::clamp(frame + 30, 0, int(loud.size())), [](bool l) { return l; });
            EXPECT_TRUE(heard) << w.text.toStdString() << " at " << w.seconds;
        }
        EXPECT_EQ(lettersOnly(said.join(u' ')), lettersOnly(line.text)) << line.text.toStdString();
    }
    EXPECT_LE(lines.back().seconds, info.seconds());
}
