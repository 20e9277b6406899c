// Dictionary files, the dictionary list and the module that loads them.

#include "dictionaries/dictionaries.h"
#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_list.h"

#include "common/user_file.h"

#include "support/temp_program_folder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(DictionaryLines, ReadingRules)
{
    using enum BoundaryMode;
    const struct
    {
        const char *line;
        bool entry;
        const char *key;
        const char *replacement;
        bool cs;
        BoundaryMode mode;
    } cases[] = {
        {"$*слово*=замена", true, "слово", "замена", true, Anywhere},
        {"он=", true, "он", "", false, DelimiterBeforeAndAfter},     // 3 characters: deletes the word
        {"о=", false, "", "", false, Anywhere},                      // 2 characters: skipped
        {"//а=б", false, "", "", false, Anywhere},                   // comment
        {"а=б=в", true, "а", "б=в", false, DelimiterBeforeAndAfter}, // cut at the first "="
        {"сло\tво=про\tба", true, "сло\tво", "проба", false,
         DelimiterBeforeAndAfter},                                     // TABs go from the replacement only
        {" а =б ", true, " а ", "б ", false, DelimiterBeforeAndAfter}, // nothing is trimmed
        {"*->*=x", false, "", "", false, Anywhere},                    // would alter the voice markers
        {"*=abc", false, "", "", false, Anywhere},                     // a lone marker
        {"без равенства", false, "", "", false, Anywhere},
    };
    for (const auto &c : cases) {
        const auto e = parseEntryLine(QString::fromUtf8(c.line));
        ASSERT_EQ(e.has_value(), c.entry) << c.line;
        if (!e)
            continue;
        EXPECT_EQ(e->key, QString::fromUtf8(c.key)) << c.line;
        EXPECT_EQ(e->replacement, QString::fromUtf8(c.replacement)) << c.line;
        EXPECT_EQ(e->caseSensitive, c.cs) << c.line;
        EXPECT_EQ(e->mode, c.mode) << c.line;
    }
}

TEST(DictionaryFiles, WrittenTableReadsBackLineForLine)
{
    TempProgramFolder folder;
    folder.writeCp1251(
        QStringLiteral("a.dic"),
        QStringLiteral("//Словарь Lectorium\r\n$*Слово*=с+лово\r\nабв&=x\r\n&где*=\r\n// End of file\r\n"));
    DictionaryTable table;
    loadDictionaryFile(table, folder.file(QStringLiteral("a.dic")), false);
    ASSERT_EQ(table.size(), 3);
    ASSERT_TRUE(writeDictionary(folder.file(QStringLiteral("b.dic")), table));
    EXPECT_EQ(folder.readBytes(QStringLiteral("a.dic")), folder.readBytes(QStringLiteral("b.dic")));
}

TEST(DictionaryFiles, LineEndsAndEncodings)
{
    TempProgramFolder folder;
    // A lone LF inside a CR LF file belongs to the line.
    folder.writeCp1251(QStringLiteral("lf.dic"), QStringLiteral("а\nб=в\r\nг=д\r\n"));
    DictionaryTable table;
    loadDictionaryFile(table, folder.file(QStringLiteral("lf.dic")), false);
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0].key, QStringLiteral("а\nб"));

    // UTF-8 as it comes on Linux: LF line ends, with or without a mark.
    for (const QByteArray &mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        UserFile::writeBytes(folder.file(QStringLiteral("u.dic")),
                             mark + QStringLiteral("ёжик=ё+жик\nЖук=жу+к\n").toUtf8());
        DictionaryTable u;
        loadDictionaryFile(u, folder.file(QStringLiteral("u.dic")), false);
        ASSERT_EQ(u.size(), 2);
        EXPECT_EQ(u[0].key, QStringLiteral("ёжик"));
        EXPECT_EQ(u[1].replacement, QStringLiteral("жу+к"));
    }
    EXPECT_EQ(countLines(folder.file(QStringLiteral("u.dic"))), 2);
    EXPECT_EQ(countLines(folder.file(QStringLiteral("missing.dic"))), -1);
}

TEST(DictionaryFiles, AnEmptyOrMissingFileLeavesTheTableAlone)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("empty.dic"), QString());
    DictionaryTable table = {{QStringLiteral("а"), QStringLiteral("б"), false, BoundaryMode::DelimiterBeforeAndAfter}};
    loadDictionaryFile(table, folder.file(QStringLiteral("empty.dic")), false);
    loadDictionaryFile(table, folder.file(QStringLiteral("missing.dic")), false);
    EXPECT_EQ(table.size(), 1);
}

TEST(DictionaryList, FirstLoadEnablesAllAndSortsWithoutCase)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/Zebra.dic"), QStringLiteral("з=з\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/apple.dic"), QStringLiteral("а=а\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/Banana.DIC"), QStringLiteral("б=б\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/notes.txt"), QStringLiteral("x=y\r\n"));
    const QString dic = folder.file(QStringLiteral("Dic"));
    const DictionaryList list = loadDictionaryList(dic);
    EXPECT_EQ(list, (DictionaryList{{"apple.dic", true}, {"Banana.DIC", true}, {"Zebra.dic", true}}));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("Dic/Diclist.cfg"))));
}

TEST(DictionaryList, RecordsOfVanishedFilesGoAndNewFilesStayOff)
{
    TempProgramFolder folder;
    const QString dic = folder.file(QStringLiteral("Dic"));
    folder.writeCp1251(QStringLiteral("Dic/kept.dic"), QString());
    folder.writeCp1251(QStringLiteral("Dic/new.dic"), QString());
    // Written under the other spelling: it is the same list file.
    folder.writeCp1251(QStringLiteral("Dic/diclist.cfg"),
                       QStringLiteral("\"gone.dic\",#TRUE#\r\n\"kept.dic\",#FALSE#\r\n"));
    DictionaryList list = loadDictionaryList(dic);
    EXPECT_EQ(list, (DictionaryList{{"kept.dic", false}, {"new.dic", false}}));
    list[1].enabled = true;
    ASSERT_TRUE(saveDictionaryList(dic, list));
    EXPECT_EQ(loadDictionaryList(dic), list);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Dic/Diclist.cfg"))));
}

TEST(DictionaryList, NoDictionaryFolderGivesAnEmptyList)
{
    TempProgramFolder folder;
    Dictionaries d(folder.path());
    d.loadDictionaryList();
    d.loadEnabledDictionaries();
    EXPECT_TRUE(d.dicList().isEmpty());
    EXPECT_TRUE(d.activeTable().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("Dic/Diclist.cfg"))));
    EXPECT_EQ(d.applyDictionaries(QStringLiteral("текст")).text, QStringLiteral("текст"));
}

TEST(Dictionaries, EnabledDictionariesRewriteInListOrder)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/b.dic"), QStringLiteral("кот=пёс\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("мышь=кот\r\n"));
    folder.writeCp1251(QStringLiteral("Dic/c.dic"), QStringLiteral("пёс=волк\r\n"));
    Dictionaries d(folder.path());
    d.loadDictionaryList();
    ASSERT_TRUE(d.setEnabled(2, false)); // c.dic
    d.loadEnabledDictionaries();
    EXPECT_EQ(d.applyDictionaries(QStringLiteral("мышь")).text, QStringLiteral("пёс"));
    // The flag reached the list file at once.
    Dictionaries again(folder.path());
    again.loadDictionaryList();
    EXPECT_EQ(again.dicList(), (DictionaryList{{"a.dic", true}, {"b.dic", true}, {"c.dic", false}}));
    // A reload takes in a changed file.
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("мышь=крыса\r\n"));
    d.loadEnabledDictionaries();
    EXPECT_EQ(d.applyDictionaries(QStringLiteral("мышь"), [] {}).text, QStringLiteral("крыса"));
}

// A dictionary that makes the text grow without end is stopped with a
// message that names it and the entry, before it costs much memory: a chain
// of 31 entries each doubling the text (2^31 times the text in the end), and
// one long replacement met at every word.
TEST(Dictionaries, ARewriteThatGrowsWithoutEndIsStoppedAndNamed)
{
    QStringList doubling;
    const QString letters = QStringLiteral("абвгдежзийклмнопрстуфхцчшщъыьэю");
    for (int i = 0; i + 1 < letters.size(); ++i)
        doubling.append(letters[i] + u'=' + letters[i + 1] + u' ' + letters[i + 1]);
    const QString megabyte(1 << 20, u'я');
    struct Case
    {
        QString lines;
        QString text;
        QString entryShown;
    };
    const Case cases[] = {
        {doubling.join(QStringLiteral("\r\n")), QStringLiteral("а"), QStringLiteral("=")},
        {QStringLiteral("*x*=") + megabyte, QStringLiteral("x ").repeated(2000), QStringLiteral("*x*=яяя")},
    };
    for (const Case &c : cases) {
        TempProgramFolder folder;
        folder.writeCp1251(QStringLiteral("Dic/Взрыв.dic"), c.lines);
        Dictionaries d(folder.path());
        d.loadDictionaryList();
        d.loadEnabledDictionaries();
        const DictionaryRewrite rewrite = d.applyDictionaries(c.text);
        EXPECT_FALSE(rewrite.ok());
        EXPECT_TRUE(rewrite.text.isEmpty());
        EXPECT_TRUE(rewrite.failure.startsWith(QStringLiteral("Словарь «Взрыв.dic»: после статьи «")))
            << rewrite.failure.toStdString();
        EXPECT_TRUE(rewrite.failure.contains(c.entryShown));
        EXPECT_LT(rewrite.failure.size(), 600) << "a long entry is shown cut short";
    }
    // Ordinary growth is no runaway: a stress mark in every word of a short
    // text, an abbreviation spelt out.
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("*ы*=ы+\r\nт=товарищ\r\n"));
    Dictionaries d(folder.path());
    d.loadDictionaryList();
    d.loadEnabledDictionaries();
    EXPECT_EQ(d.applyDictionaries(QStringLiteral("т")).text, QStringLiteral("товарищ"));
    EXPECT_EQ(d.applyDictionaries(QStringLiteral("ыыы ыыы")).text, QStringLiteral("ы+ы+ы+ ы+ы+ы+"));
}
