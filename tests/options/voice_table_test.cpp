// The voice table and "Voice.ini".

#include "common/text_codec.h"
#include "recording/speech/voice_table.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(VoiceTable, LoadsKindsAndRoleValuesBySection)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Voice.ini"),
                       QStringLiteral("[Russian]\r\n1Speed=3\r\n1Pitch=-2\r\n4Pause=900\r\n"
                                      "[Elan Cube Nikolai]\r\n2Speed=120\r\n"));
    const VoiceTable table = loadVoiceTable({QStringLiteral("English"), QStringLiteral("Russian"),
                                             QStringLiteral("Elan Cube Nikolai"), QStringLiteral("Russian")},
                                            folder.file(QStringLiteral("Voice.ini")));
    ASSERT_EQ(table.size(), 4);
    // no section: all twelve values 0
    EXPECT_EQ(table[0].speed, (std::array<int, 4>{}));
    EXPECT_EQ(table[0].pitch, (std::array<int, 4>{}));
    EXPECT_EQ(table[0].pause, (std::array<int, 4>{}));
    EXPECT_EQ(table[0].voiceKind, MarkupKind::SapiXml);
    EXPECT_EQ(table[1].speed, (std::array<int, 4>{3, 0, 0, 0}));
    EXPECT_EQ(table[1].pitch, (std::array<int, 4>{-2, 0, 0, 0}));
    EXPECT_EQ(table[1].pause, (std::array<int, 4>{0, 0, 0, 900}));
    EXPECT_EQ(table[2].voiceKind, MarkupKind::PlainText);
    EXPECT_EQ(table[2].speed[1], 120);
    // the same description shares its section
    EXPECT_EQ(table[3].voiceIndex, 3);
    EXPECT_EQ(table[3].pause, table[1].pause);
}

TEST(VoiceTable, SaveWritesEveryKeyAndReadsBack)
{
    TempProgramFolder folder;
    const QString ini = folder.file(QStringLiteral("Voice.ini"));
    VoiceTable table = loadVoiceTable({QStringLiteral("Russian"), QStringLiteral("Немецкий")}, ini);
    table[0].speed = {1, 2, 3, 4};
    table[0].pitch = {-1, -2, -3, -4};
    table[1].pause = {0, 3000, 10, 20};
    ASSERT_TRUE(saveVoiceTable(table, ini));
    const VoiceTable back = loadVoiceTable({QStringLiteral("Russian"), QStringLiteral("Немецкий")}, ini);
    EXPECT_EQ(back[0].speed, table[0].speed);
    EXPECT_EQ(back[0].pitch, table[0].pitch);
    EXPECT_EQ(back[1].pause, table[1].pause);
    const QString text = QString::fromLatin1(folder.readBytes(QStringLiteral("Voice.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral("4Pitch=-4\r\n")));
    EXPECT_EQ(text.count(QStringLiteral("Speed=")), 8);
}

TEST(VoiceTable, ProgramTableFromTheEngineVoices)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Voice.ini"), QStringLiteral("[Russian]\r\n2Pitch=5\r\n"));
    loadVoiceTable(folder.path());
    ASSERT_FALSE(voiceTable().isEmpty());
    const auto russian = std::find_if(voiceTable().begin(), voiceTable().end(),
                                      [](const VoiceParams &v) { return v.name == QStringLiteral("Russian"); });
    ASSERT_NE(russian, voiceTable().end());
    EXPECT_EQ(russian->pitch[1], 5);
    EXPECT_EQ(voiceParams(int(voiceTable().size())).pitch[1], 0);
    voiceTable() = VoiceTable{};
}

TEST(VoiceTable, RoleVoicesRoundTripAndAnOldFileStaysAsItWas)
{
    TempProgramFolder folder;
    const QString ini = folder.file(QStringLiteral("Voice.ini"));
    const QString old = QStringLiteral("; мои голоса\r\n[Russian]\r\n1Speed=3\r\n2Pause=100\r\n");
    folder.writeCp1251(QStringLiteral("Voice.ini"), old);
    const QStringList voices = {QStringLiteral("Russian"), QStringLiteral("English")};

    // An old file: every role is the book's voice, and saving it unchanged
    // adds the old keys only.
    VoiceTable table = loadVoiceTable(voices, ini);
    for (const VoiceParams &voice : table)
        EXPECT_FALSE(hasRoleVoices(voice));
    ASSERT_TRUE(saveVoiceTable(table, ini));
    QString text = Codec::decodeUserFile(folder.readBytes(QStringLiteral("Voice.ini")));
    EXPECT_FALSE(text.contains(QStringLiteral("Voice="))) << text.toStdString();
    EXPECT_TRUE(text.startsWith(old));

    // Role voices (a name Windows-1251 cannot hold among them) come back whole.
    table[0].roleVoice = {QString(), QStringLiteral("Russian+m3"), QStringLiteral("Голос ♪"), QString()};
    ASSERT_TRUE(saveVoiceTable(table, ini));
    table = loadVoiceTable(voices, ini);
    EXPECT_EQ(table[0].roleVoice,
              (std::array<QString, 4>{QString(), QStringLiteral("Russian+m3"), QStringLiteral("Голос ♪"), QString()}));
    EXPECT_EQ(table[0].speed[0], 3);
    EXPECT_FALSE(hasRoleVoices(table[1]));
    const QByteArray bytes = folder.readBytes(QStringLiteral("Voice.ini"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_TRUE(Codec::decodeUserFile(bytes).contains(QStringLiteral("2Voice=Russian+m3\r\n")));

    // Back to the book's voice: the key stays, empty.
    table[0].roleVoice = {};
    ASSERT_TRUE(saveVoiceTable(table, ini));
    EXPECT_FALSE(hasRoleVoices(loadVoiceTable(voices, ini)[0]));
}
