// A block's text made ready for the voice, and its plain length.

#include "recording/block_text.h"

#include "app/project_store.h"
#include "dictionaries/dictionaries.h"
#include "recording/speech/voice_table.h"
#include "recording/voice_markup.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

namespace {

class BlockTextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        voiceTable() = VoiceTable{};
        VoiceParams v;
        v.speed = {1, 0, 0, 0};
        v.pause = {250, 0, 0, 0};
        voiceTable().append(v);
        settings.voiceIndex = 0;
        // The markup and the dictionary step are what these tests look at;
        // the stresses have a test of their own.
        settings.autoStress = false;
        folder.writeCp1251(QStringLiteral("Projects/Книга/0007.txt"), QStringLiteral("Текст блока.\r\n"));
        source.setSelectedBook(QStringLiteral("Книга"));
    }
    void TearDown() override { voiceTable() = VoiceTable{}; }

    TempProgramFolder folder;
    Settings settings;
    BlockTextSource source{settings, folder.path(), nullptr};
};

} // namespace

TEST_F(BlockTextTest, AnnouncedNumberWithMarkersBeforeConversion)
{
    settings.announceBlockNumber = true;
    const QString marked = QStringLiteral(" {повествование->} Блок 7. {пауза->}  Текст блока.\r\n"
                                          " {повествование->}  {пауза->} Конец блока 7.");
    EXPECT_EQ(source.blockText(7, true, true), toSapiMarkup(marked, 0));
    EXPECT_EQ(source.blockText(7, true, false), toCubeMarkup(marked, 0));
}

TEST_F(BlockTextTest, PausesAtStartAndEnd)
{
    const struct
    {
        int start, end;
        bool xml;
        QString text;
    } cases[] = {
        {0, 0, true, QStringLiteral("Текст блока.\r\n")},
        {500, 0, true, QStringLiteral("<silence msec=\"500\"/>Текст блока.\r\n")},
        {0, 700, true, QStringLiteral("Текст блока.\r\n<silence msec=\"700\"/>")},
        {0, 0, false, QStringLiteral("Текст блока.\r\n")},
        {500, 700, false, QStringLiteral(".\\pause{500ms}. Текст блока.\r\n.\\pause{700ms}.")},
    };
    for (const auto &c : cases) {
        settings.pauseAtStart = c.start;
        settings.pauseAtEnd = c.end;
        EXPECT_EQ(source.blockText(7, true, c.xml, QStringLiteral("Книга")), c.xml ? c.text : toCubeMarkup(c.text, 0));
    }
}

TEST_F(BlockTextTest, DictionaryStepOnlyWhenAskedAndEnabled)
{
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("//Словарь Lectorium\r\nблока=блока-словарь\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"a.dic\",#TRUE#\r\n"));
    Dictionaries dictionaries(folder.path());
    dictionaries.loadDictionaryList();
    dictionaries.loadEnabledDictionaries();
    BlockTextSource withDictionaries(settings, folder.path(), &dictionaries);
    withDictionaries.setSelectedBook(QStringLiteral("Книга"));
    QList<bool> told;
    withDictionaries.setDictionaryProgress([&](bool applying) { told << applying; });

    settings.applyDictionaries = true;
    const QString rewritten = withDictionaries.blockText(7, false, true);
    EXPECT_EQ(told, (QList<bool>{true, false}));
    EXPECT_EQ(withDictionaries.blockText(7, true, true), QStringLiteral("Текст блока.\r\n"));
    settings.applyDictionaries = false;
    EXPECT_EQ(withDictionaries.blockText(7, false, true), QStringLiteral("Текст блока.\r\n"));
    EXPECT_NE(rewritten, QStringLiteral("Текст блока.\r\n"));
}

TEST_F(BlockTextTest, StressesGoInAfterTheDictionariesWhereTheUserDidNotDecide)
{
    // "чего" respelled keeps its stress, "замок" given by the user keeps the
    // user's, the words no dictionary touched get the lexicon's.
    folder.writeCp1251(QStringLiteral("Projects/Книга/0008.txt"),
                       QStringLiteral("Чего ты ждёшь у замка? Голова болит.\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/a.dic"),
                       QStringLiteral("//Словарь Lectorium\r\nчего=чево\r\nзамка=за+мка\r\nболит=балит\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"a.dic\",#TRUE#\r\n"));
    Dictionaries dictionaries(folder.path());
    dictionaries.loadDictionaryList();
    dictionaries.loadEnabledDictionaries();
    BlockTextSource withDictionaries(settings, folder.path(), &dictionaries);
    withDictionaries.setSelectedBook(QStringLiteral("Книга"));
    settings.applyDictionaries = true;
    settings.autoStress = true;
    // "балит" has other vowels than "болит": the user's spelling, unstressed.
    EXPECT_EQ(withDictionaries.blockText(8, false, true),
              QStringLiteral("чево+ ты ждёшь у за+мка? Голова+ балит.\r\n"));
    EXPECT_EQ(withDictionaries.blockText(8, true, true), QStringLiteral("Чего+ ты ждёшь у замка? Голова+ боли+т.\r\n"));
    settings.autoStress = false;
    EXPECT_EQ(withDictionaries.blockText(8, false, true), QStringLiteral("чево ты ждёшь у за+мка? Голова балит.\r\n"));
}

TEST_F(BlockTextTest, RawLengthWithoutMarkers)
{
    folder.writeCp1251(QStringLiteral("Projects/Книга/0001.txt"),
                       QStringLiteral(" {повествование->}  {речь->}  {речь2->}  {автор->}  {пауза->} "));
    folder.writeCp1251(QStringLiteral("Projects/Книга/0002.txt"), QStringLiteral(" {речь->} Да."));
    EXPECT_EQ(source.blockRawLength(1), 0);
    EXPECT_EQ(source.blockRawLength(2), 3);
    EXPECT_EQ(source.blockRawLength(7), QStringLiteral("Текст блока.\r\n").size());
}

TEST(BookTextAn, EveryBlockOfEveryBookWithoutMarkers)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Projects/А/0001.txt"), QStringLiteral(" {речь->} Раз."));
    folder.writeCp1251(QStringLiteral("Projects/А/0002.txt"), QStringLiteral(" Два {пауза->} ."));
    folder.writeCp1251(QStringLiteral("Projects/Б/0001.txt"), QStringLiteral("Три"));
    EXPECT_EQ(bookTextAn(folder.path(), {QStringLiteral("А"), QStringLiteral("Б")}),
              QStringLiteral("Раз. Два.\r\nТри\r\n"));
}
