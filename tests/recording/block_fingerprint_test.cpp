// What a block's MP3 was made from, as kept in the book's audio folder.

#include "recording/block_fingerprint.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(BlockFingerprint, KeptPerBlockAndReadBackWhateverElseTheFileHolds)
{
    TempProgramFolder folder;
    const QString audio = folder.path();
    EXPECT_TRUE(readBlockFingerprints(audio).isEmpty());
    EXPECT_FALSE(readBlockFingerprint(audio, 1));

    const BlockFingerprint first{textFingerprint(QStringLiteral("за+мок")), QStringLiteral("0123456789abcdef")};
    const BlockFingerprint second{textFingerprint(QStringLiteral("замо+к")), QStringLiteral("0123456789abcdef")};
    EXPECT_EQ(first.text.size(), 16);
    EXPECT_NE(first.text, second.text);
    ASSERT_TRUE(writeBlockFingerprint(audio, 2, first));
    ASSERT_TRUE(writeBlockFingerprint(audio, 12, second));
    ASSERT_TRUE(writeBlockFingerprint(audio, 2, second));
    EXPECT_EQ(readBlockFingerprint(audio, 2), second);
    const QHash<int, BlockFingerprint> all = readBlockFingerprints(audio);
    EXPECT_EQ(all.size(), 2);
    EXPECT_EQ(all.value(12), second);
    // Windows-1251 with CR LF, as every file of the user's.
    EXPECT_TRUE(folder.readBytes(QStringLiteral(".lectorium-blocks.ini")).contains("\r\n"));

    // A damaged line is no fingerprint: its block counts as made before them.
    folder.writeCp1251(QStringLiteral(".lectorium-blocks.ini"),
                       QStringLiteral("[Отпечатки]\r\n3=abc\r\nx=1 2\r\n4=aa bb\r\n[Другое]\r\n5=cc dd\r\n"));
    EXPECT_EQ(readBlockFingerprints(audio), (QHash<int, BlockFingerprint>{{4, {"aa", "bb"}}}));
}

TEST(BlockFingerprint, TheVoiceFingerprintFollowsWhatShapesTheSound)
{
    Settings settings;
    VoiceParams voice;
    voice.name = QStringLiteral("Russian");
    const QString plain = voiceFingerprint(settings, voice, MarkupKind::SapiXml);
    EXPECT_EQ(voiceFingerprint(settings, voice, MarkupKind::SapiXml), plain);
    VoiceParams faster = voice;
    faster.speed[0] = 3;
    Settings paused = settings;
    paused.pauseAtEnd = 500;
    Settings quieter = settings;
    quieter.fullVolume = !settings.fullVolume;
    for (const QString &other :
         {voiceFingerprint(settings, faster, MarkupKind::SapiXml), voiceFingerprint(paused, voice, MarkupKind::SapiXml),
          voiceFingerprint(quieter, voice, MarkupKind::SapiXml),
          voiceFingerprint(settings, voice, MarkupKind::PlainText)})
        EXPECT_NE(other, plain);
}
