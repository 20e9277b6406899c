#include "recording/speech/voice_list.h"

#include <gtest/gtest.h>

TEST(VoiceList, RussianVoicesFirstUnderRussianNamesThenProgramsThenTheRestByName)
{
    const QList<VoiceToken> voices = {
        {QStringLiteral("Afrikaans"), QStringLiteral("af")},
        {QStringLiteral("Russian_(Latvia)"), QStringLiteral("ru-lv")},
        {QStringLiteral("Cherokee_"), QStringLiteral("chr-US-Qaaa-x-west")},
        {QStringLiteral("Russian"), QStringLiteral("ru")},
        {QStringLiteral("Bulgarian"), QStringLiteral("bg")},
        {QStringLiteral("Piper (Ирина)"), QString(), MarkupKind::PlainText, true},
        {QStringLiteral("Rusyn"), QStringLiteral("rue")}, // not Russian, though it starts alike
    };
    QStringList shown;
    QList<int> indices;
    for (const ListedVoice &voice : listedVoices(voices)) {
        shown.append(voice.name);
        indices.append(voice.index);
    }
    EXPECT_EQ(shown, QStringList({QStringLiteral("Русский (Латвия)"), QStringLiteral("Русский"),
                                  QStringLiteral("Piper (Ирина)"), QStringLiteral("Afrikaans"),
                                  QStringLiteral("Bulgarian"), QStringLiteral("Cherokee"), QStringLiteral("Rusyn")}));
    EXPECT_EQ(indices, QList<int>({1, 3, 5, 0, 4, 2, 6}));
}
