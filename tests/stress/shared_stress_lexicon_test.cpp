// The lexicon the process shares: one load per file, found as a program
// folder's lexicon is found, and refused the same way.

#include "stress/shared_stress_lexicon.h"
#include "stress/stress_lexicon.h"
#include "support/temp_program_folder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(SharedStressLexicon, EachFileIsLoadedOnceForEveryone)
{
    // Two program folders without a lexicon of their own find the one beside
    // the program; callers on other threads get the same.
    TempProgramFolder first, second;
    const StressLexicon *fromThreads[2] = {};
    std::thread a([&] { fromThreads[0] = &sharedStressLexicon(first.path()); });
    std::thread b([&] { fromThreads[1] = &sharedStressLexicon(second.path()); });
    a.join();
    b.join();
    QString error;
    const StressLexicon &shared = sharedStressLexicon(first.path(), &error);
    EXPECT_TRUE(shared.isLoaded()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(shared.lookup(u"молоко").isEmpty());
    EXPECT_EQ(fromThreads[0], &shared);
    EXPECT_EQ(fromThreads[1], &shared);
    EXPECT_EQ(&sharedStressLexicon(second.path()), &shared);
}

TEST(SharedStressLexicon, AProgramFoldersDamagedLexiconIsRefusedWithTheReason)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file(QStringLiteral("Stress")));
    folder.writeCp1251(QStringLiteral("Stress/ru-stress.lex"), QStringLiteral("не словарь"));
    QString error;
    const StressLexicon &damaged = sharedStressLexicon(folder.path(), &error);
    EXPECT_FALSE(damaged.isLoaded());
    EXPECT_TRUE(damaged.lookup(u"молоко").isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("ru-stress.lex"))) << error.toStdString();
    // Asked again, the same answer without another load.
    QString again;
    EXPECT_EQ(&sharedStressLexicon(folder.path(), &again), &damaged);
    EXPECT_EQ(again, error);
}

} // namespace
