// Speech programs as voices: their definitions file, the markup a program
// gets, and real runs of espeak-ng's command line and of stand-in scripts.

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "recording/speech/cube_markup.h"
#include "recording/speech/plain_punctuation.h"
#include "recording/speech/program_speech.h"
#include "recording/speech/program_stress_marks.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/wav_sound.h"
#include "recording/voice_markup.h"
#include "speech_program_test_support.h"
#include "wav_reading.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The voice's index in the list: after the engine's voices.
int programVoiceIndex(int program = 0)
{
    return int(SpeechVoice::voices().size() - installedSpeechPrograms().size()) + program;
}

struct SpokenWav
{
    WavInfo info;
    QString failure;
};

SpokenWav speakThrough(const TempProgramFolder &folder, const QString &text, int flags = SVSFIsNotXML)
{
    SpeechVoice voice;
    EXPECT_TRUE(voice.selectVoice(programVoiceIndex()));
    auto file = std::make_shared<WavFileStream>(voice.format());
    const QString path = folder.file(QStringLiteral("out.wav"));
    EXPECT_TRUE(file->open(path));
    voice.setAudioOutputStream(file);
    voice.speak(text, flags);
    file->close();
    return {readWavInfo(path), voice.failure()};
}

class ProgramVoiceTest : public ::testing::Test
{
protected:
    void TearDown() override { setInstalledSpeechPrograms({}); }
    TempProgramFolder folder;
};

} // namespace

TEST(SpeechProgramDefinitions, SeededFileHoldsSwitchedOffExamplesAndKeepsItsCommentsOnSave)
{
    TempProgramFolder folder;
    seedProgramFolder(folder.path());
    const QString path = ProgramFolder(folder.path()).speechProgramsFile();
    const QByteArray seeded = folder.readBytes(QStringLiteral("SpeechPrograms.ini"));
    EXPECT_EQ(seeded.count("\n"), seeded.count("\r\n"));
    EXPECT_TRUE(Codec::fromCp1251(seeded).contains(QStringLiteral("Речевые программы")));

    QList<SpeechProgramDefinition> definitions = loadSpeechProgramDefinitions(path);
    ASSERT_EQ(definitions.size(), 4);
    EXPECT_EQ(definitions.at(0).section, u"RHVoice");
    EXPECT_EQ(definitions.at(0).stress, StressForm::PlusBefore);
    EXPECT_TRUE(definitions.at(0).textOnStandardInput);
    EXPECT_EQ(definitions.at(1).section, u"Piper");
    EXPECT_EQ(definitions.at(1).rate->normal, 1);
    EXPECT_EQ(definitions.at(2).section, u"Festival");
    EXPECT_FALSE(definitions.at(2).rate);
    EXPECT_EQ(definitions.at(2).stress, StressForm::PlusBefore);
    EXPECT_TRUE(definitions.at(2).usesSession());
    EXPECT_EQ(definitions.at(3).section, u"espeak-ng");
    for (const SpeechProgramDefinition &d : definitions)
        EXPECT_FALSE(d.enabled) << d.section.toStdString();
    loadSpeechPrograms(folder.path());
    EXPECT_TRUE(installedSpeechPrograms().isEmpty());

    // A name Windows-1251 cannot hold is kept whole; a removed section goes
    // with its keys, the comments stay.
    definitions[0].enabled = true;
    definitions[0].name = QStringLiteral("Голос ♪ 語");
    definitions.removeAt(2);
    ASSERT_TRUE(saveSpeechProgramDefinitions(definitions, {QStringLiteral("Festival")}, path));
    const QList<SpeechProgramDefinition> reread = loadSpeechProgramDefinitions(path);
    ASSERT_EQ(reread.size(), 3);
    EXPECT_EQ(reread.at(0).name, definitions.at(0).name);
    EXPECT_TRUE(reread.at(0).enabled);
    EXPECT_EQ(reread.at(1).command, definitions.at(1).command);
    const QString saved = Codec::decodeUserFile(folder.readBytes(QStringLiteral("SpeechPrograms.ini")));
    EXPECT_TRUE(saved.contains(QStringLiteral("; Command")));
    EXPECT_FALSE(saved.contains(QStringLiteral("text2wave")));
    EXPECT_FALSE(saved.contains(QStringLiteral("\r\nSession=")));
    loadSpeechPrograms(folder.path());
    ASSERT_EQ(installedSpeechPrograms().size(), 1);
    EXPECT_EQ(SpeechVoice::voices().last().description, definitions.at(0).name);
    EXPECT_EQ(SpeechVoice::voices().last().kind, MarkupKind::PlainText);
    setInstalledSpeechPrograms({});
}

TEST(SpeechProgramDefinitions, CommandGetsItsPlaceholdersAsWholeArguments)
{
    SpeechProgramDefinition piper;
    piper.command = QStringLiteral("\"/opt/мои программы/piper\" --length_scale {rate} --output_file={wav} -p {pitch}");
    piper.rate = ProgramValueRange{2, 1, 0.5};
    const QString wav = QStringLiteral("/tmp/папка с пробелом/звук.wav");
    struct Case
    {
        int percent;
        const char *rate;
    } cases[] = {{100, "1"}, {25, "2"}, {200, "0.5"}, {150, "0.75"}, {0, "2"}, {400, "0.5"}};
    for (const Case &c : cases) {
        const QStringList command = speechProgramCommand(piper, QStringLiteral("t.txt"), wav, c.percent, 100);
        EXPECT_EQ(command, (QStringList{QStringLiteral("/opt/мои программы/piper"), QStringLiteral("--length_scale"),
                                        QString::fromLatin1(c.rate), QStringLiteral("--output_file=") + wav,
                                        QStringLiteral("-p"), QString()}))
            << c.percent;
    }
    // A range of whole numbers gives whole numbers.
    const SpeechProgramDefinition espeak = espeakCommandLineVoice();
    EXPECT_EQ(speechProgramCommand(espeak, QStringLiteral("t"), QStringLiteral("w"), 60, 100).at(4), u"124");
}

TEST(SpeechProgramMarkup, RolesBecomePiecesWithTheirRatePausesBecomeSilence)
{
    VoiceParams voice;
    voice.voiceKind = MarkupKind::PlainText;
    voice.speed = {100, 150, 80, 120};
    voice.pitch = {100, 110, 90, 100};
    voice.pause = {300, 400, 500, 600};
    const QString markup = toCubeMarkup(QStringLiteral("{повествование->} Он сказал: {речь->} Иди домой. "
                                                       "{автор->} ответил он."),
                                        voice);
    const QList<SpeechPiece> pieces = parseCubeMarkup(markup);
    QStringList seen;
    for (const SpeechPiece &p : pieces)
        seen.append(p.kind == SpeechPiece::Silence
                        ? QStringLiteral("пауза %1").arg(p.msec)
                        : QStringLiteral("%1/%2 %3").arg(p.rate).arg(p.pitch).arg(p.text.simplified()));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("100/100 . Он сказал:."), QStringLiteral("пауза 400"),
                                 QStringLiteral("150/110 Иди домой. ."), QStringLiteral("пауза 600"),
                                 QStringLiteral("120/100 ответил он.")}))
        << markup.toStdString();
    // Each character still knows where it stood in the marked-up block.
    for (const SpeechPiece &p : pieces)
        for (int i = 0; i < p.text.size(); ++i)
            EXPECT_EQ(markup.at(p.sourcePos.at(i)), p.text.at(i));
}

TEST(SpeechProgramMarkup, StressMarksInTheFormTheVoiceNames)
{
    const QString text = QStringLiteral("Чита+ем за+мок, C++ и 2+2.");
    struct Case
    {
        StressForm form;
        QString expected;
    } cases[] = {
        {StressForm::PlusAfter, QStringLiteral("Чита+ем за+мок, C++ и 2+2.")},
        {StressForm::PlusBefore, QStringLiteral("Чит+аем з+амок, C++ и 2+2.")},
        {StressForm::CombiningAcute, QStringLiteral("Чита") + QChar(0x0301) + QStringLiteral("ем за") + QChar(0x0301)
                                         + QStringLiteral("мок, C++ и 2+2.")},
        {StressForm::Removed, QStringLiteral("Читаем замок, C++ и 2+2.")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withStressForm(text, c.form), c.expected) << int(c.form);
}

TEST(SpeechProgramSound, OtherRatesChannelsAndSampleFormatsBecomeOurs)
{
    // One second of a stereo 8 kHz 16-bit WAV, whose header states the
    // largest size (a program writing into a pipe).
    QByteArray wav("RIFF\xff\xff\xff\xffWAVEfmt ", 16);
    const auto put32 = [&](quint32 v) { wav.append(reinterpret_cast<const char *>(&v), 4); };
    const auto put16 = [&](quint16 v) { wav.append(reinterpret_cast<const char *>(&v), 2); };
    put32(16), put16(1), put16(2), put32(8000), put32(32000), put16(4), put16(16);
    wav.append("data", 4);
    put32(0xFFFFFFFF);
    for (int i = 0; i < 8000; ++i)
        put16(quint16(qint16(10000))), put16(quint16(qint16(-2000)));
    const PcmFormat ours;
    const std::optional<QByteArray> sound = wavSoundAs(wav, ours);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->size(), ours.bytesPerSecond());
    EXPECT_NEAR(qFromLittleEndian<qint16>(sound->constData() + 1000), 4000, 2);
    EXPECT_FALSE(wavSoundAs(QByteArray("not a wav at all"), ours));
}

TEST_F(ProgramVoiceTest, EspeakNgCommandLineSpeaksWithRolePausesAndRates)
{
    setInstalledSpeechPrograms({espeakCommandLineVoice()});
    const QString sentence = QStringLiteral("Старый дом стоял на краю деревни.");
    const SpokenWav plain = speakThrough(folder, sentence);
    ASSERT_TRUE(plain.info.valid) << plain.failure.toStdString();
    EXPECT_TRUE(plain.failure.isEmpty()) << plain.failure.toStdString();
    EXPECT_GT(plain.info.seconds(), 1.0);

    const SpokenWav paused = speakThrough(folder, sentence + QStringLiteral(" \\pause{1500ms} ") + sentence);
    EXPECT_NEAR(paused.info.msecs(), 2 * plain.info.msecs() + 1500, 30);

    const SpokenWav fast = speakThrough(folder, QStringLiteral(" \\absspeed{200} ") + sentence);
    EXPECT_LT(fast.info.msecs(), plain.info.msecs() * 0.7);

    // The dictionaries' trial speaks SAPI XML: its silences count.
    const SpokenWav xml = speakThrough(folder, QStringLiteral("<silence msec=\"800\"/>") + sentence, SVSFIsXML);
    EXPECT_NEAR(xml.info.msecs(), plain.info.msecs() + 800, 30);
}

TEST_F(ProgramVoiceTest, FailingOrMissingProgramIsToldWithItsOwnWords)
{
    const QString script = writeScript(folder, QStringLiteral("сломанная программа.sh"),
                                       QStringLiteral("echo 'модель не найдена: ru.onnx' >&2\nexit 3"));
    SpeechProgramDefinition broken = espeakCommandLineVoice(QStringLiteral("Сломанный"));
    broken.command = u'"' + script + QStringLiteral("\" {wav} {text}");
    SpeechProgramDefinition silent = espeakCommandLineVoice(QStringLiteral("Молчун"));
    silent.command = QStringLiteral("true {wav}");
    SpeechProgramDefinition missing = espeakCommandLineVoice(QStringLiteral("Нет такого"));
    missing.command = QStringLiteral("нет-такой-программы -o {wav}");

    EXPECT_TRUE(speechProgramProblem(broken).isEmpty());
    EXPECT_TRUE(speechProgramProblem(missing).contains(QStringLiteral("«нет-такой-программы»")));
    EXPECT_TRUE(speechProgramProblem(missing).contains(QStringLiteral("не найдена")));
    SpeechProgramDefinition noWav = missing;
    noWav.command = QStringLiteral("espeak-ng -f {text}");
    EXPECT_TRUE(speechProgramProblem(noWav).contains(QStringLiteral("{wav}")));

    setInstalledSpeechPrograms({broken, silent, missing});
    EXPECT_TRUE(SpeechVoice::voiceProblem(programVoiceIndex(0)).isEmpty());
    EXPECT_FALSE(SpeechVoice::voiceProblem(programVoiceIndex(2)).isEmpty());
    const SpokenWav failed = speakThrough(folder, QStringLiteral("Проверка."));
    EXPECT_TRUE(failed.failure.contains(QStringLiteral("код 3"))) << failed.failure.toStdString();
    EXPECT_TRUE(failed.failure.contains(QStringLiteral("модель не найдена: ru.onnx")));

    setInstalledSpeechPrograms({silent});
    const SpokenWav nothing = speakThrough(folder, QStringLiteral("Проверка."));
    EXPECT_TRUE(nothing.failure.contains(QStringLiteral("не записала звук"))) << nothing.failure.toStdString();
}

// A program that writes an empty WAV for text with nothing to say (as
// Festival does) is never given such a piece: it is silence of the length
// the markup asks for, and the text around it is spoken.
TEST_F(ProgramVoiceTest, PiecesWithoutLettersAreSilenceNotAFailure)
{
    const QString script = writeScript(folder, QStringLiteral("пустой вывод.sh"),
                                       QStringLiteral("grep -q '[[:alnum:]]' \"$2\" || { : > \"$1\"; exit 0; }\n"
                                                      "exec espeak-ng -v ru -w \"$1\" -f \"$2\""));
    SpeechProgramDefinition picky = espeakCommandLineVoice(QStringLiteral("Разборчивый"));
    picky.command = u'"' + script + QStringLiteral("\" {wav} {text}");
    const QString word = QStringLiteral("Слово.");
    const QString pieces[] = {
        QStringLiteral("…"),  QStringLiteral(" — "),     QStringLiteral("?!"), QStringLiteral(" \\pause{700ms} "),
        QStringLiteral("«»"), QStringLiteral(" * * * "),
    };
    for (const SpeechProgramDefinition &program : {espeakCommandLineVoice(), picky}) {
        SCOPED_TRACE(program.name.toStdString());
        setInstalledSpeechPrograms({program});
        const SpokenWav alone = speakThrough(folder, word);
        ASSERT_TRUE(alone.failure.isEmpty()) << alone.failure.toStdString();
        for (const QString &piece : pieces) {
            SCOPED_TRACE(piece.toStdString());
            const SpokenWav nothing = speakThrough(folder, piece);
            EXPECT_TRUE(nothing.failure.isEmpty()) << nothing.failure.toStdString();
            EXPECT_TRUE(nothing.info.valid);
            const SpokenWav around = speakThrough(folder, word + piece + QStringLiteral(" ") + word);
            EXPECT_TRUE(around.failure.isEmpty()) << around.failure.toStdString();
            EXPECT_GE(around.info.msecs(), 2 * alone.info.msecs() - 200);
        }
    }
    // A piece with letters that gives an empty WAV, or a WAV with a header
    // and no sound, is still a failure.
    SpeechProgramDefinition broken = picky;
    broken.command = QStringLiteral("touch {wav}");
    setInstalledSpeechPrograms({broken});
    EXPECT_TRUE(speakThrough(folder, word).failure.contains(QStringLiteral("не записала звук")));
    const QString headerOnly =
        writeScript(folder, QStringLiteral("только заголовок.sh"),
                    QStringLiteral("printf 'RIFF$\\000\\000\\000WAVEfmt \\020\\000\\000\\000\\001\\000\\001\\000"
                                   "\"V\\000\\000D\\254\\000\\000\\002\\000\\020\\000"
                                   "data\\000\\000\\000\\000' > \"$1\""));
    broken.command = u'"' + headerOnly + QStringLiteral("\" {wav}");
    setInstalledSpeechPrograms({broken});
    const SpokenWav soundless = speakThrough(folder, word);
    EXPECT_TRUE(soundless.failure.contains(QStringLiteral("без звука"))) << soundless.failure.toStdString();
    EXPECT_TRUE(soundless.failure.contains(word));
    // A stretch left without letters by the clean-up is not handed over.
    picky.plainPunctuation = true;
    setInstalledSpeechPrograms({picky});
    EXPECT_TRUE(speakThrough(folder, QStringLiteral("α β ½")).failure.isEmpty());
}

TEST(PlainPunctuation, SignsAFrontEndStumblesOnBecomePlain)
{
    const std::pair<const char16_t *, const char16_t *> cases[] = {
        {u"Он сказал: «Да» — и ушёл…", u"Он сказал: \"Да\" - и ушёл..."},
        {u"„Нет“, ‘да’ – может быть", u"\"Нет\", 'да' - может быть"},
        {u"Дом №5, § 3, 50% и 5°", u"Дом номер 5, параграф 3, 50 процентов и 5 градусов"},
        {u"café über", u"cafe uber"},
        {u"да/нет*да_нет", u"да нет да нет"},
        {u"пере\u00ADнос\u00A0слова", u"перенос слова"},
        {u"Смотри+тель ещё, йод. (X век) [1812]!?", u"Смотри+тель ещё, йод. (X век) [1812]!?"},
        {u"α и ½", u"и"},
        // A stress accent stays with its word; other Cyrillic letters are
        // said as the Russian ones.
        {u"за\u0301мок и\u0306од", u"замок йод"},
        {u"Київ, вѣра", u"Киив, вера"},
        // Signs inside a word cut it; signs standing alone join the word
        // before them or go; a lone dash stays.
        {u"т.е. А.С.Пушкин, 3,5 и 10:30", u"т. е. А. С. Пушкин, 3, 5 и 10: 30"},
        {u"слово(да) слово\"да\" слово;да", u"слово (да) слово\" да\" слово; да"},
        {u"да , нет ! так ( вот ) …и", u"да, нет! так вот) и"},
        {u"— Да, — сказал он - , ну.", u"- Да, - сказал он - ну."},
        {u"(он Антихрист)- я, по- и ];1.", u"(он Антихрист) я, по и 1."},
        {u"д'Артаньян, «Да!», — C++", u"д'Артаньян, \"Да!\", - C++"},
    };
    for (const auto &[text, plain] : cases)
        EXPECT_EQ(plainPunctuation(QString::fromUtf16(text)), QString::fromUtf16(plain));
}

// A program whose front end gives up on typographic punctuation (as
// Festival's Russian voice does: an empty WAV) speaks the whole sentence
// when its section says "Punctuation=plain".
TEST_F(ProgramVoiceTest, PlainPunctuationKeepsAFragileProgramSpeaking)
{
    const QString script =
        writeScript(folder, QStringLiteral("хрупкая программа.sh"),
                    QStringLiteral("grep -qF -e '«' -e '»' -e '—' -e '…' -e '№' \"$2\" && { : > \"$1\"; exit 0; }\n"
                                   "exec espeak-ng -v ru -w \"$1\" -f \"$2\""));
    SpeechProgramDefinition fragile = espeakCommandLineVoice(QStringLiteral("Хрупкий"));
    fragile.command = u'"' + script + QStringLiteral("\" {wav} {text}");
    const QString sentence = QStringLiteral("Он сказал: «Да» — и ушёл… Дом №5.");
    setInstalledSpeechPrograms({fragile});
    EXPECT_TRUE(speakThrough(folder, sentence).failure.contains(QStringLiteral("не записала звук")));
    fragile.plainPunctuation = true;
    setInstalledSpeechPrograms({fragile});
    const SpokenWav spoken = speakThrough(folder, sentence);
    EXPECT_TRUE(spoken.failure.isEmpty()) << spoken.failure.toStdString();
    EXPECT_GT(spoken.info.seconds(), 1.5);
}

// Festival with its Russian voice, where it is installed: the shipped
// section speaks a sentence full of typographic signs.
TEST_F(ProgramVoiceTest, FestivalSpeaksTypographicRussianText)
{
    if (QStandardPaths::findExecutable(QStringLiteral("text2wave")).isEmpty()
        || !QFileInfo::exists(QStringLiteral("/usr/share/festival/voices/russian/msu_ru_nsh_clunits")))
        GTEST_SKIP() << "Festival with festvox-ru is not installed";
    seedProgramFolder(folder.path());
    QList<SpeechProgramDefinition> shipped =
        loadSpeechProgramDefinitions(ProgramFolder(folder.path()).speechProgramsFile());
    const auto festival = std::find_if(shipped.begin(), shipped.end(), [](const SpeechProgramDefinition &d) {
        return d.command.startsWith(QStringLiteral("text2wave"));
    });
    ASSERT_NE(festival, shipped.end());
    EXPECT_TRUE(festival->plainPunctuation);
    festival->enabled = true;
    setInstalledSpeechPrograms({*festival});
    // Each of these stopped the voice's front end on a whole stretch.
    const QString sentences[] = {
        QStringLiteral("«Смотритель», — сказал он… Глава II."),
        QStringLiteral("Дом №5, т.е. 3,5 процента; А.С.Пушкин в 10:30 « Да » , …и слово(да)."),
        QStringLiteral("Київ, café, за\u0301мок, 50% и ½."),
    };
    for (const QString &sentence : sentences) {
        const SpokenWav spoken = speakThrough(folder, sentence);
        EXPECT_TRUE(spoken.failure.isEmpty()) << spoken.failure.toStdString();
        EXPECT_GT(spoken.info.seconds(), 1.5);
    }
}

// A program that stays running for the book (a stand-in that counts its
// starts and says each stretch through espeak-ng) is started once for many
// stretches and blocks, and again after a stretch it failed.
TEST_F(ProgramVoiceTest, SessionProgramStartsOnceAndAgainAfterAFailure)
{
    const QString starts = folder.file(QStringLiteral("запуски.txt"));
    const QString script =
        writeScript(folder, QStringLiteral("сеанс программы.sh"),
                    QStringLiteral("echo start >> \"$1\"\n"
                                   "while IFS= read -r line; do\n"
                                   "  case \"$line\" in\n"
                                   "    начало) continue ;;\n"
                                   "  esac\n"
                                   "  text=${line%%|*}; wav=${line#*|}\n"
                                   "  grep -q сломайся \"$text\" && { echo 'не могу' >&2; exit 4; }\n"
                                   "  grep -q молчи \"$text\" || espeak-ng -v ru -w \"$wav\" -f \"$text\"\n"
                                   "  echo 'ничего страшного' >&2\n"
                                   "  echo готово\n"
                                   "done"));
    SpeechProgramDefinition resident = espeakCommandLineVoice(QStringLiteral("Постоянный"));
    resident.command = QStringLiteral("нет-такой-программы {wav}");
    resident.sessionCommand = u'"' + script + QStringLiteral("\" \"") + starts + u'"';
    resident.sessionStart = QStringLiteral("начало");
    resident.sessionSay = QStringLiteral("{text}|{wav}");
    resident.sessionDone = QStringLiteral("готово");
    ASSERT_TRUE(resident.usesSession());
    EXPECT_TRUE(speechProgramProblem(resident).isEmpty()) << speechProgramProblem(resident).toStdString();
    setInstalledSpeechPrograms({resident});
    const auto startCount = [&] { return folder.readBytes(QStringLiteral("запуски.txt")).count("start"); };

    const QString sentence = QStringLiteral("Старый дом стоял на краю деревни.");
    const SpokenWav first = speakThrough(folder, sentence + QStringLiteral(" \\pause{500ms} ") + sentence);
    ASSERT_TRUE(first.failure.isEmpty()) << first.failure.toStdString();
    const SpokenWav second = speakThrough(folder, sentence);
    EXPECT_TRUE(second.failure.isEmpty()) << second.failure.toStdString();
    EXPECT_NEAR(first.info.msecs(), 2 * second.info.msecs() + 500, 30);
    EXPECT_EQ(startCount(), 1);

    // No WAV for a stretch: a failure with the program's messages; the
    // program is still running for the next one.
    const SpokenWav silent = speakThrough(folder, QStringLiteral("молчи."));
    EXPECT_TRUE(silent.failure.contains(QStringLiteral("не записала звук"))) << silent.failure.toStdString();
    EXPECT_TRUE(silent.failure.contains(QStringLiteral("ничего страшного")));
    EXPECT_TRUE(speakThrough(folder, sentence).failure.isEmpty());
    EXPECT_EQ(startCount(), 1);

    // The program ends: told with its messages, and started again after.
    const SpokenWav ended = speakThrough(folder, QStringLiteral("сломайся."));
    EXPECT_TRUE(ended.failure.contains(QStringLiteral("не могу"))) << ended.failure.toStdString();
    EXPECT_TRUE(speakThrough(folder, sentence).failure.isEmpty());
    EXPECT_EQ(startCount(), 2);
}
