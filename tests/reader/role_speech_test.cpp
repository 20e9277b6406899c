// A chapter read with a voice per role: the XML names each role's voice
// where its stretch begins, and every position the engine reports leads
// back to the character it was made from.

#include "reader/role_speech.h"
#include "recording/speech/sapi_markup.h"

#include <gtest/gtest.h>

TEST(RoleSpeech, NamesEachRolesVoiceAndLeadsEveryPositionBack)
{
    VoiceParams voice;
    voice.name = QStringLiteral("Russian");
    voice.roleVoice = {QString(), QStringLiteral("Russian+m3"), QString(), QStringLiteral("Голос \"<Ф&М>\"")};
    const QString text = QStringLiteral("Он вошёл. - Да <&> \"нет\", - сказал он.");
    const RoleSpeech speech(text, {{10, 2}, {26, 4}}, voice);

    QStringList voiced;
    for (const SpeechPiece &piece : parseSapiXml(speech.xml())) {
        if (piece.kind != SpeechPiece::Text)
            continue;
        voiced << piece.voice + QStringLiteral(": ") + piece.text;
        // Every character the engine is given stands for the same one of the text.
        for (qsizetype j = 0; j < piece.text.size(); ++j)
            EXPECT_EQ(text.at(speech.textPosition(piece.sourcePos.at(j))), piece.text.at(j)) << j;
    }
    EXPECT_EQ(voiced, (QStringList{QStringLiteral(": Он вошёл. "), QStringLiteral("Russian+m3: - Да <&> \"нет\", "),
                                   QStringLiteral("Голос \"<Ф&М>\": - сказал он.")}))
        << speech.xml().toStdString();
    EXPECT_EQ(speech.textPosition(speech.xml().size()), text.size());
}
