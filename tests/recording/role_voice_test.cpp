// A voice per role: the role voices in the markup the recording hands over,
// the names a role voice goes by, and the speech layer switching voices
// stretch by stretch (espeak-ng variants and a speech program).

#include "recording/speech/cube_markup.h"
#include "recording/speech/memory_stream.h"
#include "recording/speech/role_voices.h"
#include "recording/speech/speech_voice.h"
#include "recording/voice_markup.h"
#include "speech_program_test_support.h"
#include "support/cli_run.h"

#include <QDir>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

const QString kDialogue = QStringLiteral(" {повествование->} Он остановился у двери. {речь->} Иди домой, "
                                         "{автор->} сказал он. {речь2->} Не пойду! {повествование->} Стемнело.");

VoiceParams russianWithRoles(const std::array<QString, 4> &roles, MarkupKind kind = MarkupKind::SapiXml)
{
    VoiceParams voice;
    voice.name = QStringLiteral("Russian");
    voice.voiceKind = kind;
    voice.roleVoice = roles;
    if (kind == MarkupKind::PlainText)
        voice.speed = voice.pitch = {100, 100, 100, 100};
    return voice;
}

// "voice: words" for each text piece.
QStringList voicedPieces(const QList<SpeechPiece> &pieces)
{
    QStringList seen;
    for (const SpeechPiece &piece : pieces)
        if (piece.kind == SpeechPiece::Text && hasSpeakableCharacter(piece.text))
            seen.append(piece.voice + QStringLiteral(": ") + piece.text.simplified());
    return seen;
}

// The sound a voice makes of `text` (SAPI XML unless told otherwise).
QByteArray spoken(SpeechVoice &voice, const QString &text, int kind = SVSFIsXML)
{
    auto memory = std::make_shared<SpeechMemoryStream>();
    voice.setAudioOutputStream(memory);
    voice.speak(text, kind);
    return memory->data();
}

// Zero crossings per thousand samples of the sound that is not near silence.
double zeroCrossingRate(const QByteArray &pcm)
{
    const auto *samples = reinterpret_cast<const qint16 *>(pcm.constData());
    int crossings = 0;
    int loud = 0;
    for (qsizetype i = 1; i < pcm.size() / 2; ++i) {
        if (std::abs(samples[i]) < 300)
            continue;
        ++loud;
        crossings += (samples[i] > 0) != (samples[i - 1] > 0);
    }
    return loud ? 1000.0 * crossings / loud : 0;
}

// A speech program (espeak-ng's command line under a script taking the text
// file and the WAV) that writes down every text it is given.
QString writeTellingProgram(const TempProgramFolder &folder)
{
    return writeScript(folder, QStringLiteral("мой голос.sh"),
                       QStringLiteral("cat \"$1\" >> \"%1\"\nexec espeak-ng -v ru -w \"$2\" -f \"$1\"")
                           .arg(folder.file(QStringLiteral("сказано.txt"))));
}

// What that program was given, blanks and line breaks made single blanks.
QString toldText(const TempProgramFolder &folder)
{
    return QString::fromUtf8(folder.readBytes(QStringLiteral("сказано.txt"))).simplified();
}

int russianVoice()
{
    return SpeechVoice::voiceForLanguage(QStringLiteral("ru"));
}

} // namespace

TEST(RoleVoiceMarkup, EveryRoleNamesItsVoiceOnceOneRoleHasItsOwn)
{
    const QString m3 = QStringLiteral("Russian+m3");
    const QString f3 = QStringLiteral("Russian+f3");
    const struct
    {
        std::array<QString, 4> roles;
        QStringList expected;
    } cases[] = {
        // No role voice: the markup of old, no voice named.
        {{},
         {QStringLiteral(": Он остановился у двери."), QStringLiteral(": Иди домой,"), QStringLiteral(": сказал он."),
          QStringLiteral(": Не пойду!"), QStringLiteral(": Стемнело.")}},
        // Speech in its voice; narration and the author are the book's.
        {{QString(), m3},
         {QStringLiteral("Russian: Он остановился у двери."), QStringLiteral("Russian+m3: Иди домой,"),
          QStringLiteral("Russian: сказал он."), QStringLiteral("Russian: Не пойду!"),
          QStringLiteral("Russian: Стемнело.")}},
        // Every role its own; a program name with quotes and brackets survives.
        {{QStringLiteral("Голос \"<Ф&М>\""), m3, f3, QStringLiteral("ru+f1")},
         {QStringLiteral("Голос \"<Ф&М>\": Он остановился у двери."), QStringLiteral("Russian+m3: Иди домой,"),
          QStringLiteral("ru+f1: сказал он."), QStringLiteral("Russian+f3: Не пойду!"),
          QStringLiteral("Голос \"<Ф&М>\": Стемнело.")}},
    };
    for (const auto &c : cases) {
        const QString xml = toSapiMarkup(kDialogue, russianWithRoles(c.roles));
        EXPECT_EQ(voicedPieces(parseSapiXml(xml)), c.expected) << xml.toStdString();
    }
    // The plain-text voices' tags carry the same (names without braces).
    const QString tagged = toCubeMarkup(kDialogue, russianWithRoles({QString(), m3, f3}, MarkupKind::PlainText));
    EXPECT_EQ(voicedPieces(parseCubeMarkup(tagged)),
              (QStringList{QStringLiteral("Russian: Он остановился у двери. ."),
                           QStringLiteral("Russian+m3: Иди домой, ."), QStringLiteral("Russian: сказал он. ."),
                           QStringLiteral("Russian+f3: Не пойду! ."), QStringLiteral("Russian: Стемнело.")}))
        << tagged.toStdString();
    EXPECT_EQ(toSapiMarkup(QStringLiteral("А {речь->} Б"), russianWithRoles({QString(), m3})),
              QStringLiteral("А\n        <silence msec=\"0\"/> <rate absspeed=\"0\"/> <pitch absmiddle=\"0\"/> "
                             "<voice required=\"Name=Russian+m3\"/>Б"));
}

TEST(RoleVoiceMarkup, ContainerVoiceElementEndsWithItsEndTag)
{
    const QList<SpeechPiece> pieces = parseSapiXml(
        QStringLiteral("А <voice required=\"Gender=Female;Name=ru+f3\">Б</voice> В <voice required='Name=X'/>Г"));
    EXPECT_EQ(voicedPieces(pieces), (QStringList{QStringLiteral(": А"), QStringLiteral("ru+f3: Б"),
                                                 QStringLiteral(": В"), QStringLiteral("X: Г")}));
}

TEST(RoleVoiceNames, NamesTheListAndEspeakNgUse)
{
    const QList<VoiceToken> voices = {{QStringLiteral("Russian"), QStringLiteral("ru")},
                                      {QStringLiteral("English"), QStringLiteral("en")},
                                      {QStringLiteral("Голос+2"), QString(), MarkupKind::PlainText, true}};
    const QList<EngineVoice> variants = {{QStringLiteral("male3"), QStringLiteral("!v/m3"), QString()},
                                         {QStringLiteral("female3"), QStringLiteral("!v/f3"), QString()}};
    const struct
    {
        const char *name;
        int index;
        const char *variant;
    } cases[] = {
        {"Russian", 0, ""},
        {"Russian+m3", 0, "m3"},
        {"ru+F3", 0, "f3"},
        {"Russian+female3", 0, "f3"},
        {"English+m3", 1, "m3"},
        {"Голос+2", 2, ""},
        {" ru ", 0, ""},
        // unknown voice or variant, a variant of a program, nothing
        {"Klingon+m3", -1, ""},
        {"ru+m99", -1, ""},
        {"Голос+2+m3", -1, ""},
        {"", -1, ""},
    };
    for (const auto &c : cases) {
        const auto found = findRoleVoice(QString::fromUtf8(c.name), voices, variants);
        EXPECT_EQ(found ? found->index : -1, c.index) << c.name;
        if (found) {
            EXPECT_EQ(found->variant, QString::fromUtf8(c.variant)) << c.name;
        }
    }
    // Every choice the options window lists is a name that finds its voice.
    const QList<RoleVoiceChoice> choices = roleVoiceChoices(voices, variants);
    ASSERT_EQ(choices.size(), 1 + 3 + 2);
    EXPECT_EQ(choices.first().shown, u"Голос книги");
    EXPECT_TRUE(choices.first().name.isEmpty());
    EXPECT_EQ(choices.at(2).name, u"Russian+m3");
    for (const RoleVoiceChoice &choice : choices.mid(1))
        EXPECT_TRUE(findRoleVoice(choice.name, voices, variants)) << choice.name.toStdString();
}

TEST(RoleVoiceSpeech, EspeakNgSwitchesVariantsStretchByStretch)
{
    ASSERT_GE(russianVoice(), 0) << "espeak-ng has no Russian voice";
    const QString russian = SpeechVoice::voices().at(russianVoice()).description;
    SpeechVoice voice;
    ASSERT_TRUE(voice.selectVoice(russianVoice()));
    const QString words = QStringLiteral("Иди домой.");
    const auto in = [&](const QString &name) {
        return QStringLiteral("<voice required=\"Name=%1\"/>").arg(name) + words;
    };
    // espeak-ng never says a sentence twice to the same sample, so the
    // voices are told apart by their sound: f3 is a woman's voice, its
    // sound crosses zero far more often than the man's of the book.
    const QByteArray own = spoken(voice, words);
    const QByteArray f3 = spoken(voice, in(QStringLiteral("ru+f3")));
    const QByteArray m3 = spoken(voice, in(russian + QStringLiteral("+m3")));
    ASSERT_FALSE(own.isEmpty());
    const double ownRate = zeroCrossingRate(own);
    EXPECT_GT(zeroCrossingRate(f3), ownRate * 1.15);
    EXPECT_GT(std::abs(m3.size() - own.size()), own.size() / 20) << "m3 speaks at a pace of its own";
    // The book's voice named, or a name nobody has, is the voice itself.
    for (const QString &name : {russian, QStringLiteral("Нет такого голоса")}) {
        const QByteArray same = spoken(voice, in(name));
        EXPECT_NEAR(zeroCrossingRate(same), ownRate, ownRate * 0.1) << name.toStdString();
        EXPECT_NEAR(same.size(), own.size(), own.size() / 20) << name.toStdString();
    }
    // Back and forth in one text: each stretch sounds as in a text of its own.
    const QByteArray mixed = spoken(voice, in(QStringLiteral("ru+f3")) + in(russian));
    EXPECT_NEAR(mixed.size(), f3.size() + own.size(), (f3.size() + own.size()) / 20.0);
    EXPECT_GT(zeroCrossingRate(mixed.left(f3.size())), ownRate * 1.15);
    EXPECT_LT(zeroCrossingRate(mixed.mid(f3.size())), zeroCrossingRate(f3) * 0.85);
    // The phonemes are the voice's own whatever the variant: the pronunciation stays.
    EXPECT_EQ(voice.phonemes(in(QStringLiteral("ru+f3")), SVSFIsXML), voice.phonemes(words, SVSFIsXML));
}

TEST(RoleVoiceSpeech, SpeechProgramSpeaksOnlyTheStretchesOfItsRole)
{
    TempProgramFolder folder;
    const QString script = writeTellingProgram(folder);
    SpeechProgramDefinition program = espeakCommandLineVoice(QStringLiteral("Голос программы"));
    program.command = QStringLiteral("\"%1\" {text} {wav}").arg(script);
    setInstalledSpeechPrograms({program});
    SpeechVoice voice;
    ASSERT_TRUE(voice.selectVoice(russianVoice()));
    const QByteArray sound =
        spoken(voice, toSapiMarkup(kDialogue, russianWithRoles({QString(), program.name, QStringLiteral("ru+f3")})));
    setInstalledSpeechPrograms({});
    EXPECT_TRUE(voice.failure().isEmpty()) << voice.failure().toStdString();
    EXPECT_GT(sound.size(), voice.format().bytesPerSecond() * 2);
    EXPECT_EQ(toldText(folder), QStringLiteral("Иди домой,"));
}

TEST(RoleVoiceCli, RecordSpeaksARoleWithTheVoiceOfVoiceIni)
{
    TempProgramFolder folder;
    const QString script = writeTellingProgram(folder);
    folder.writeCp1251(QStringLiteral("SpeechPrograms.ini"),
                       QStringLiteral("[Мой голос]\r\nEnabled=1\r\nName=Голос программы\r\nCommand=\"%1\" {text} "
                                      "{wav}\r\nStress=none\r\n")
                           .arg(script));
    QString ini;
    for (const VoiceToken &voice : SpeechVoice::voices())
        ini += QStringLiteral("[%1]\r\n2Voice=Голос программы\r\n3Voice=ru+f3\r\n").arg(voice.description);
    folder.writeCp1251(QStringLiteral("Voice.ini"), ini);
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("Projects/Диалог"))));
    folder.writeCp1251(QStringLiteral("Projects/Диалог/0001.txt"), kDialogue + QStringLiteral("\r\n"));

    const CliRun run = runCli(folder, {QStringLiteral("record"), QStringLiteral("Диалог"), QStringLiteral("--output"),
                                       folder.file(QStringLiteral("Аудио")), QStringLiteral("--quiet")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(toldText(folder), QStringLiteral("Иди домой,"));
}
