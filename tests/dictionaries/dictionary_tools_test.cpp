// The dictionary tools: file commands, batch operations and the name finder.

#include "dictionaries/dictionary_debugger.h"
#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_files.h"
#include "dictionaries/dictionary_operations.h"
#include "dictionaries/name_finder.h"

#include "common/text_codec.h"

#include "support/temp_program_folder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class ScriptedDialogs : public UserDialogs
{
public:
    explicit ScriptedDialogs(DialogAnswer answer = DialogAnswer::Yes) : m_answer(answer) { }
    DialogAnswer show(const DialogMessage &message) override
    {
        shown.append(message.text);
        return m_answer;
    }
    QStringList shown;

private:
    DialogAnswer m_answer;
};

QStringList fileLines(const TempProgramFolder &folder, const QString &name)
{
    return Codec::fromCp1251(folder.readBytes(name)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

TEST(DictionaryFileCommands, CreateAddRenameDelete)
{
    TempProgramFolder folder;
    const QString dic = folder.file(QStringLiteral("Dic"));
    ScriptedDialogs no(DialogAnswer::No);
    EXPECT_EQ(createDictionary(dic, QStringLiteral("Новый: словарь"), no), DictionaryFileResult::Done);
    EXPECT_EQ(fileLines(folder, QStringLiteral("Dic/Новый- словарь.dic")), QStringList{kDictionaryHeader});
    // An existing file is kept unless the user agrees.
    EXPECT_EQ(createDictionary(dic, QStringLiteral("Новый- словарь.DIC"), no), DictionaryFileResult::Declined);
    EXPECT_EQ(no.shown.value(0),
              QStringLiteral("Словарь \"Новый- словарь.DIC\" уже существует.\nХотите перезаписать?"));

    folder.writeCp1251(QStringLiteral("import/exc_rus.txt"), QStringLiteral("тест :\t<те##ст> /i\r\n"));
    folder.writeCp1251(QStringLiteral("import/reader.txt"), QStringLiteral("а=б\r\n"));
    ScriptedDialogs yes;
    EXPECT_EQ(
        addDictionaryFile(dic, folder.file(QStringLiteral("import/exc_rus.txt")), AddedFileKind::EngineExceptions, yes),
        DictionaryFileResult::Done);
    EXPECT_EQ(fileLines(folder, QStringLiteral("Dic/exc_rus.dic")), QStringList{QStringLiteral("тест=те ст")});
    EXPECT_EQ(addDictionaryFile(dic, folder.file(QStringLiteral("import/reader.txt")), AddedFileKind::Dictionary, yes),
              DictionaryFileResult::Done);
    EXPECT_EQ(folder.readBytes(QStringLiteral("Dic/reader.dic")),
              folder.readBytes(QStringLiteral("import/reader.txt")));
    EXPECT_EQ(addDictionaryFile(dic, folder.file(QStringLiteral("Dic/reader.dic")), AddedFileKind::Dictionary, yes),
              DictionaryFileResult::Refused);
    EXPECT_TRUE(yes.shown.last().startsWith(QStringLiteral("Из этого каталога ничего добавлять не нужно!")));

    EXPECT_EQ(renameDictionary(dic, QStringLiteral("reader.dic"), QStringLiteral("  чтец ")),
              DictionaryFileResult::Done);
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("Dic/чтец.dic"))));
    EXPECT_EQ(deleteDictionary(dic, QStringLiteral("чтец.dic"), no), DictionaryFileResult::Declined);
    EXPECT_EQ(deleteDictionary(dic, QStringLiteral("чтец.dic"), yes), DictionaryFileResult::Done);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Dic/чтец.dic"))));
}

TEST(DictionaryOperations, SubtractionAndRepeats)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("src.dic"),
                       QStringLiteral("кот=ко+т\r\nПёс=пё+с\r\nкот=ко+т\r\n$Кот=Ко+т\r\nкот*=ко+т\r\nКОТ=ко+т\r\n"));
    folder.writeCp1251(QStringLiteral("sub.dic"), QStringLiteral("пёс=другое\r\nкот=КО+Т\r\n"));
    const QString src = folder.file(QStringLiteral("src.dic"));

    // Case-blind keys and replacements compare in small letters; the
    // differing pronunciation of "пёс" keeps it unless only keys count.
    auto r =
        subtractDictionaries(src, folder.file(QStringLiteral("sub.dic")), folder.file(QStringLiteral("s1.dic")), false);
    EXPECT_EQ(r.removed, 3);
    EXPECT_EQ(fileLines(folder, QStringLiteral("s1.dic")), (QStringList{"Пёс=пё+с", "$Кот=Ко+т", "кот*=ко+т"}));
    r = subtractDictionaries(src, folder.file(QStringLiteral("sub.dic")), folder.file(QStringLiteral("s2.dic")), true);
    EXPECT_EQ(fileLines(folder, QStringLiteral("s2.dic")), (QStringList{"$Кот=Ко+т", "кот*=ко+т"}));

    // Repeats: the last of each group stays, at its own place.
    r = removeRepeats(src, folder.file(QStringLiteral("r.dic")), false);
    EXPECT_EQ(r.removed, 2);
    EXPECT_EQ(fileLines(folder, QStringLiteral("r.dic")),
              (QStringList{"Пёс=пё+с", "$Кот=Ко+т", "кот*=ко+т", "КОТ=ко+т"}));
    EXPECT_EQ(defaultTargetName(QStringLiteral("src.dic")), QStringLiteral("src_1.dic"));
}

TEST(DictionaryOperations, CancelledRunsWriteNothingAndKeepTheSource)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("src.dic"), QStringLiteral("а=б\r\nа=б\r\nв=г\r\n"));
    const QByteArray before = folder.readBytes(QStringLiteral("src.dic"));
    ToolProgress cancel;
    cancel.cancelled = [] { return true; };
    const QString src = folder.file(QStringLiteral("src.dic"));
    EXPECT_TRUE(removeRepeats(src, src, false, cancel).cancelled);
    EXPECT_TRUE(subtractDictionaries(src, src, src, false, cancel).cancelled);
    EXPECT_TRUE(splitDictionary(src, 1, cancel).cancelled);
    EXPECT_EQ(folder.readBytes(QStringLiteral("src.dic")), before);
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("src_part1.dic"))));
}

TEST(DictionaryOperations, SplitMergeConvert)
{
    TempProgramFolder folder;
    QString ten;
    for (int i = 0; i < 10; ++i)
        ten += QStringLiteral("w%1=x\r\n").arg(i);
    folder.writeCp1251(QStringLiteral("ten.dic"), ten);
    const QString src = folder.file(QStringLiteral("ten.dic"));
    EXPECT_EQ(entriesPerPartFor(10, 2), 6);
    EXPECT_EQ(splitDictionary(src, entriesPerPartFor(10, 2)).written.size(), 2);
    EXPECT_EQ(fileLines(folder, QStringLiteral("ten_part2.dic")).size(), 4);
    const auto five = splitDictionary(src, entriesPerPartFor(10, 5));
    EXPECT_EQ(five.written.size(), 4);
    EXPECT_EQ(fileLines(folder, QStringLiteral("ten_part4.dic")), QStringList{"w9=x"});

    folder.writeCp1251(QStringLiteral("a.dic"), QStringLiteral("а=б\r\n"));
    EXPECT_TRUE(mergeDictionaries({folder.file(QStringLiteral("a.dic")), folder.file(QStringLiteral("a.dic"))},
                                  folder.file(QStringLiteral("all.dic")))
                    .written.size()
                == 1);
    EXPECT_EQ(fileLines(folder, QStringLiteral("all.dic")), (QStringList{kDictionaryHeader, "а=б", "а=б"}));
    EXPECT_TRUE(mergeDictionaries({}, folder.file(QStringLiteral("x.dic"))).cancelled);

    folder.writeCp1251(QStringLiteral("s.dic"), QStringLiteral("мол<око=мол<ок>о\r\n"));
    convertDictionaryStress(folder.file(QStringLiteral("s.dic")), folder.file(QStringLiteral("g.dic")),
                            StressConversion::AngleToGrave);
    EXPECT_EQ(fileLines(folder, QStringLiteral("g.dic")), (QStringList{kDictionaryHeader, "мол`око=мол`око"}));
    convertDictionaryStress(folder.file(QStringLiteral("g.dic")), folder.file(QStringLiteral("b.dic")),
                            StressConversion::GraveToAngle);
    EXPECT_EQ(fileLines(folder, QStringLiteral("b.dic")), (QStringList{kDictionaryHeader, "мол<око=мол<око"}));
}

TEST(NameFinder, NamesForeignWordsAndFilters)
{
    const QString text = QStringLiteral("Анна сказала Вронскому: «Вронский, здравствуйте». Потом Анна ушла.\r\n"
                                        "Вронский смотрел на Stiva и на stiva. ООН и Каренина!\r\n");
    NameFinderOptions options;
    options.allWordsLongerThan = 6;
    const NameFinderResult r = findNames(text, options);
    // "Анна" opens the text (a line start) once and stands mid-sentence once;
    // "Потом" follows a full stop; "ООН" is all capitals.
    EXPECT_EQ(r.names,
              (QList<WordCount>{{"Вронскому", 1}, {"Вронский", 1}, {"Анна", 1}, {"Stiva", 1}, {"Каренина", 1}}));
    EXPECT_EQ(r.foreignWords, (QList<WordCount>{{"Stiva", 2}}));
    EXPECT_TRUE(r.allWords.contains(WordCount{"Вронский", 2}));

    QList<WordCount> names = r.names;
    EXPECT_EQ(removeListedWords(names, {QStringLiteral("Анна")}), (QList<WordCount>{{"Анна", 1}}));
    EXPECT_EQ(removeExceptionKeys(names, {{QStringLiteral("stiva"), QString(), QStringLiteral("/i")},
                                          {QStringLiteral("каренина"), QString(), QString()}}),
              (QList<WordCount>{{"Stiva", 1}}));
    const DictionaryTable t = {
        {QStringLiteral("вронск"), QStringLiteral("вро+нск"), false, BoundaryMode::DelimiterBefore}};
    EXPECT_EQ(removeHandledWords(names, DictionaryEngine(t)).size(), 2);
    EXPECT_EQ(names, (QList<WordCount>{{"Каренина", 1}}));
    QList<WordCount> all = r.allWords;
    removeRareWords(all, 2);
    EXPECT_EQ(all, (QList<WordCount>{{"Вронский", 2}}));
}

TEST(DictionaryDebugger, ReloadsAndRewrites)
{
    TempProgramFolder folder;
    folder.writeCp1251(QStringLiteral("Dic/a.dic"), QStringLiteral("кот=ко+т\r\n"));
    Dictionaries d(folder.path());
    EXPECT_EQ(processWithDictionaries(d, QStringLiteral("Кот и кот")).result, QStringLiteral("ко+т и ко+т"));
    EXPECT_EQ(debugTimeText(2), QStringLiteral("2.секунд"));
    EXPECT_EQ(debugTimeText(0.125), QStringLiteral(".125секунд"));
}
