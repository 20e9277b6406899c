// The lexicon builder (scripts/build-stress-lexicon.py) on a small hand-made
// sample of the generator's "analysis:form" lines, read back by the loader;
// and the loader's refusal of files that are not lexicons.

#include "stress/stress_lexicon.h"
#include "support/temp_program_folder.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kScript = QStringLiteral(LECTORIUM_SOURCE_DIR "/scripts/build-stress-lexicon.py");
const QString kSample = QStringLiteral(LECTORIUM_SOURCE_DIR "/tests/stress/data/generator-sample.txt");

struct BuildResult
{
    bool ok = false;
    QString errors;
};

BuildResult runBuilder(const QString &supplement, const QString &out)
{
    QProcess process;
    process.start(QStringLiteral("python3"),
                  {kScript, QStringLiteral("--generator"), kSample, QStringLiteral("--supplement"), supplement,
                   QStringLiteral("--out"), out});
    if (!process.waitForFinished(-1))
        return {false, QStringLiteral("the builder did not start")};
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            QString::fromUtf8(process.readAllStandardError())};
}

Stressing stress(int vowel, quint32 yo = 0, quint8 readings = 0)
{
    return {vowel, yo, readings};
}

class StressLexiconBuilder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QProcess probe;
        probe.start(QStringLiteral("python3"), {QStringLiteral("--version")});
        if (!probe.waitForFinished(-1) || probe.exitCode() != 0)
            GTEST_SKIP() << "python3 is not installed";
        QFile supplement(folder.file(QStringLiteral("supplement.txt")));
        ASSERT_TRUE(supplement.open(QIODevice::WriteOnly));
        supplement.write(QStringLiteral("# our own\nче+рез\n").toUtf8());
        supplement.close();
        const BuildResult built = runBuilder(supplement.fileName(), lexiconFile());
        ASSERT_TRUE(built.ok) << built.errors.toStdString();
    }
    QString lexiconFile() const { return folder.file(QStringLiteral("sample.lex")); }

    TempProgramFolder folder;
};

TEST_F(StressLexiconBuilder, TheLoaderReadsBackEveryStressingOfTheSample)
{
    StressLexicon lexicon;
    QString error;
    ASSERT_TRUE(lexicon.load(lexiconFile(), &error)) << error.toStdString();
    const struct
    {
        const char16_t *word;
        QList<Stressing> expected;
    } cases[] = {
        {u"замок", {stress(0, 0, OtherReading), stress(1, 0, OtherReading)}},                 // a homograph
        {u"Замки", {stress(0, 0, NounNominativePlural), stress(1, 0, NounNominativePlural)}}, // any case
        {u"молоко", {stress(2)}}, // one stressing: no readings
        // two readings of one lemma, told apart by their kind
        {u"руки", {stress(0, 0, NounNominativePlural), stress(1, 0, NounGenitiveSingular)}},
        {u"еще", {stress(1, 0b10)}},                                          // known only with ё
        {u"ещё", {stress(1, 0b10)}},                                          // written with ё
        {u"ее", {stress(1, 0b10)}},                                           // the river Ея gives way to the pronoun
        {u"все", {stress(0, 0, OtherReading), stress(0, 0b1, OtherReading)}}, // все and всё
        {u"мед", {stress(0, 0b1)}},                                           // one syllable, kept for its ё
        {u"трехэтажный", {stress(2, 0b1)}},                                   // ё away from the stress
        {u"кто-то", {stress(0)}},                                             // hyphenated forms whole
        {u"северо-западный", {stress(3)}},                                    // the secondary stress dropped
        {u"вышел", {stress(0)}},                                              // perfective вы- stressed on вы-
        {u"анна", {stress(0)}},                                               // a proper name no common word shares
        {u"через", {stress(0)}},                                              // from the supplement
        {u"перед", {}},                                                       // also a word of unknown stress
        {u"дом", {}},                                                         // one syllable, nothing to tell
        {u"сомнительный", {}},                                                // tagged doubtful by the source
        {u"двухтрехэтажный", {}},                                             // a numeral compound
        {u"замо", {}},                                                        // a beginning of a form only
        {u"замокк", {}},
        {u"house", {}},
    };
    for (const auto &c : cases) {
        QList<Stressing> found = lexicon.lookup(QString::fromUtf16(c.word));
        std::sort(found.begin(), found.end(), [](const Stressing &a, const Stressing &b) {
            return std::pair(a.stressedVowel, a.yoVowels) < std::pair(b.stressedVowel, b.yoVowels);
        });
        EXPECT_EQ(found, c.expected) << QString::fromUtf16(c.word).toStdString();
    }
}

TEST_F(StressLexiconBuilder, RefusesASupplementWordTheSourceAlreadyStresses)
{
    QFile supplement(folder.file(QStringLiteral("redundant.txt")));
    ASSERT_TRUE(supplement.open(QIODevice::WriteOnly));
    supplement.write(QStringLiteral("молоко+\n").toUtf8());
    supplement.close();
    const BuildResult built = runBuilder(supplement.fileName(), folder.file(QStringLiteral("other.lex")));
    EXPECT_FALSE(built.ok);
    EXPECT_TRUE(built.errors.contains(QStringLiteral("not needed"))) << built.errors.toStdString();
}

TEST_F(StressLexiconBuilder, DamagedFilesAreRefused)
{
    QFile file(lexiconFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    QByteArray badTarget = good;
    // the last transition pointing far beyond the end of the file
    badTarget[badTarget.size() - 1] = char(0x7f);
    QByteArray cut = good.left(good.size() - 4);
    QByteArray notALexicon = QByteArray("Lectorium"), empty;
    for (const QByteArray &bytes : {badTarget, cut, notALexicon, empty}) {
        const QString path = folder.file(QStringLiteral("bad.lex"));
        QFile bad(path);
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write(bytes);
        bad.close();
        StressLexicon lexicon;
        QString error;
        EXPECT_FALSE(lexicon.load(path, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(lexicon.lookup(u"молоко").isEmpty());
    }
}

TEST(StressLexicon, IsFoundBesideTheProgramWhenTheProgramFolderHasNone)
{
    TempProgramFolder folder;
    const QStringList candidates = StressLexicon::candidateFiles(folder.path());
    ASSERT_GE(candidates.size(), 2);
    EXPECT_EQ(candidates.first(), folder.file(QStringLiteral("Stress/ru-stress.lex")));
    StressLexicon lexicon;
    QString error;
    EXPECT_TRUE(lexicon.loadFromProgramFolder(folder.path(), &error)) << error.toStdString();

    StressLexicon missing;
    EXPECT_FALSE(missing.load(folder.file(QStringLiteral("none.lex")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.lex")));
}

} // namespace
