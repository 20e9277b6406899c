// The reader's fix of a word heard wrong, without its window.

#include "reader/pronunciation_fix.h"

#include "common/text_codec.h"
#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_save_notice.h"

#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(PronunciationFix, StressIsPutOnTheVowelClicked)
{
    const QString word = QStringLiteral("Замке");
    EXPECT_EQ(vowelPositions(word), QList<int>({1, 4}));
    EXPECT_EQ(vowelPositions(QStringLiteral("за+мке")), QList<int>({1, 5}));
    EXPECT_EQ(withStressOn(word, 0), QStringLiteral("За+мке"));
    EXPECT_EQ(withStressOn(QStringLiteral("за+мке"), 1), QStringLiteral("замке+"));
    EXPECT_EQ(withStressOn(word, 2), word);
}

TEST(PronunciationFix, TheEntryForThisFormOrForEveryForm)
{
    struct Case
    {
        QString word;
        QString respelling;
        EntryForm form;
        std::optional<QString> line; // as formatEntryLine writes it
    };
    const QList<Case> cases = {
        {QStringLiteral("Замке"), QStringLiteral("за+мке"), EntryForm::ThisForm, QStringLiteral("замке=за+мке")},
        {QStringLiteral("Замке"), QStringLiteral("за+мке"), EntryForm::EveryForm, QStringLiteral("замк*=за+мк")},
        {QStringLiteral("творог"), QStringLiteral("тво+рог"), EntryForm::EveryForm, QStringLiteral("творог*=тво+рог")},
        {QStringLiteral("краю"), QStringLiteral("краю+"), EntryForm::ThisForm, QStringLiteral("краю=краю+")},
        // The stress in the ending, or a respelling that ends otherwise,
        // leaves no stem.
        {QStringLiteral("краю"), QStringLiteral("краю+"), EntryForm::EveryForm, std::nullopt},
        {QStringLiteral("замке"), QStringLiteral("за+мки"), EntryForm::EveryForm, std::nullopt},
        {QStringLiteral("замке"), QStringLiteral(" "), EntryForm::ThisForm, std::nullopt},
        {QStringLiteral("два слова"), QStringLiteral("два"), EntryForm::ThisForm, std::nullopt},
    };
    for (const Case &c : cases) {
        const auto entry = fixEntry(c.word, c.respelling, c.form);
        EXPECT_EQ(entry ? std::optional<QString>(formatEntryLine(*entry)) : std::nullopt, c.line)
            << c.word.toStdString() << " " << c.respelling.toStdString();
    }
}

TEST(PronunciationFix, SavedAtTheTopOfTheDictionaryAndCountedInTheBlocksItChanges)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Projects/Дом/0001.txt"), QStringLiteral("Старый дом.\r\n"));
    folder.writeCp1251(QStringLiteral("Projects/Дом/0002.txt"), QStringLiteral("В замке горел свет.\r\n"));
    folder.writeCp1251(QStringLiteral("Projects/Лес/0001.txt"), QStringLiteral("О замке говорили.\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"),
                       QStringLiteral("\"ударения.dic\",#TRUE#\r\n\"выкл.dic\",#FALSE#\r\n"));
    // An entry that gives the wrong reading, and one more of another word.
    folder.writeCp1251(QStringLiteral("Dic/ударения.dic"),
                       QStringLiteral("//Словарь Lectorium\r\nзамке=замке+\r\nсвет=све+т\r\n"));
    Settings settings;
    PronunciationFix fix(folder.path(), settings, QStringLiteral("замке"), QStringLiteral("В замке горел свет."));
    EXPECT_EQ(fix.spokenForm(), QStringLiteral("замке+"));
    EXPECT_EQ(fix.respelling, QStringLiteral("замке+"));
    EXPECT_EQ(fix.dictionaryChoices(), QStringList({QStringLiteral("ударения.dic")}));
    EXPECT_EQ(fix.dictionary, QStringLiteral("ударения.dic"));

    fix.respelling = withStressOn(fix.respelling, 0);
    EXPECT_EQ(fix.respelling, QStringLiteral("за+мке"));
    EXPECT_TRUE(fix.spokenSentenceWithFix().contains(QStringLiteral("за+мке")))
        << fix.spokenSentenceWithFix().toStdString();
    EXPECT_TRUE(fix.spokenSentence().contains(QStringLiteral("замке+")));
    // Counted before the save too, for the same answer.
    const QStringList books = {QStringLiteral("Дом"), QStringLiteral("Лес")};
    EXPECT_EQ(fix.touchedBlocks(books).blocksOf(QStringLiteral("Дом")), QList<int>({2}));

    int notices = 0;
    QObject::connect(&DictionarySaveNotice::instance(), &DictionarySaveNotice::saved, [&] { ++notices; });
    QString failure;
    ASSERT_TRUE(fix.save(&failure)) << failure.toStdString();
    EXPECT_EQ(notices, 1);
    // The new entry comes first; the one it replaces (same key, same
    // boundaries) is gone, the others stay.
    const QString saved = Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/ударения.dic")));
    EXPECT_TRUE(saved.startsWith(QStringLiteral("//Словарь Lectorium\r\nзамке=за+мке\r\nсвет=све+т\r\n")))
        << saved.toStdString();
    EXPECT_EQ(fix.spokenForm(), QStringLiteral("за+мке"));

    const TouchedBlocks touched = fix.touchedBlocks(books);
    EXPECT_EQ(touched.blocksOf(QStringLiteral("Дом")), QList<int>({2}));
    EXPECT_EQ(touched.blocksElsewhere(QStringLiteral("Дом")), 1);
}

TEST(PronunciationFix, WithNoDictionaryEnabledTheFixDictionaryIsMadeFirstInTheList)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/Diclist.cfg"), QStringLiteral("\"выкл.dic\",#FALSE#\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/выкл.dic"), QStringLiteral("//Словарь Lectorium\r\nзамок=ЗАМОК\r\n"));
    Settings settings;
    PronunciationFix fix(folder.path(), settings, QStringLiteral("Замок"), QStringLiteral("Старый замок."));
    EXPECT_EQ(fix.dictionaryChoices(), QStringList({kFixDictionaryName}));
    fix.respelling = QStringLiteral("за+мок");
    QString failure;
    ASSERT_TRUE(fix.save(&failure)) << failure.toStdString();
    const QString list = Codec::fromCp1251(folder.readBytes(QStringLiteral("Dic/Diclist.cfg")));
    EXPECT_TRUE(list.startsWith(QStringLiteral("\"Исправления.dic\",#TRUE#"))) << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("\"выкл.dic\",#FALSE#")));
    EXPECT_TRUE(fix.spokenSentence().contains(QStringLiteral("за+мок"))) << fix.spokenSentence().toStdString();
}

TEST(PronunciationFix, TheWordAndTheSentenceAtAPlaceOfTheText)
{
    const QString text = QStringLiteral("Старый дом. Кто-то стучал в замке!\r\nТишина");
    struct Case
    {
        int position;
        QString word;
        QString sentence;
    };
    const QList<Case> cases = {
        {0, QStringLiteral("Старый"), QStringLiteral("Старый дом.")},
        {10, QStringLiteral("дом"), QStringLiteral("Старый дом.")}, // just after the word
        {15, QStringLiteral("Кто-то"), QStringLiteral("Кто-то стучал в замке!")},
        {30, QStringLiteral("замке"), QStringLiteral("Кто-то стучал в замке!")},
        {39, QStringLiteral("Тишина"), QStringLiteral("Тишина")},
        {11, QString(), QStringLiteral("Кто-то стучал в замке!")}, // the blank after the full stop
    };
    for (const Case &c : cases) {
        const auto [start, length] = wordAt(text, c.position);
        EXPECT_EQ(text.mid(start, length), c.word) << c.position;
        EXPECT_EQ(sentenceAround(text, c.position), c.sentence) << c.position;
    }
}
