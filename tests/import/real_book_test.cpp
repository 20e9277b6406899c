// A real novel through the add pass with the shipped chapter identifiers.

#include "import/add_pass.h"
#include "import/text_normalisation.h"
#include "import/voice_markers.h"

#include "common/program_folder.h"
#include "common/text_codec.h"
#include "common/user_file.h"

#include "support/temp_program_folder.h"

#include "print_qstring.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class RealBook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto bytes = UserFile::readBytes(sharedDataPath(QStringLiteral("books/txt/anna-karenina.cp1251.txt")));
        if (!bytes)
            GTEST_SKIP() << "the shared test books are not there";
        text = Codec::fromCp1251(*bytes);
        seedProgramFolder(folder.path());
        identifiers = loadChapterIdentifiers(folder.path()).value_or(QList<ChapterIdentifier>());
        options.fixYears = false;
        options.maxBlockSizeText = QStringLiteral("8000");
    }

    BookBlocks cut() const
    {
        ChapterDetector detector(identifiers, options.dialogueStartsWithQuotes);
        return cutIntoBlocks(text, QStringLiteral("Анна Каренина"), options, detector);
    }

    TempProgramFolder folder;
    QString text;
    QList<ChapterIdentifier> identifiers;
    AddOptions options;
};

// Letters and digits in order, without letter case: what a listener hears.
QString wordsOf(const QString &text)
{
    QString letters;
    letters.reserve(text.size());
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            letters.append(c.toLower());
    return letters;
}

// The block's lines that are not blank, trimmed.
QStringList textLines(const QString &block)
{
    QStringList text;
    for (const QString &line : removeVoiceMarkers(block).split(QStringLiteral("\r\n")))
        if (!isBlank(line))
            text.append(trimSpaces(line));
    return text;
}

} // namespace

TEST_F(RealBook, BlocksBeginAtTheChapterHeadings)
{
    const BookBlocks book = cut();
    ASSERT_EQ(book.blocks.size(), book.names.size());
    ASSERT_GT(book.blocks.size(), 200);
    EXPECT_EQ(book.names.mid(0, 4), QStringList({QStringLiteral("Анна Каренина"), QStringLiteral("Часть первая"),
                                                 QStringLiteral("I"), QStringLiteral("II")}));
    static const QRegularExpression partName(QStringLiteral("\\(\\d+\\)$"));
    int sizeBreaks = 0;
    int partsWithChapter = 0;
    for (qsizetype i = 1; i < book.blocks.size(); ++i) {
        if (partName.match(book.names[i]).hasMatch()) {
            ++sizeBreaks;
            EXPECT_TRUE(removeVoiceMarkers(book.blocks[i - 1]).trimmed().endsWith(u'.')) << i;
            continue;
        }
        // A chapter is named after its heading line (at most 64 characters
        // of it); a part's heading, with no text before its first chapter,
        // is in that chapter's block and name ("Часть вторая. I").
        const QStringList lines = textLines(book.blocks[i]);
        const QString name = book.names[i].toLower();
        const bool partAndChapter = name == (lines.value(0) + QStringLiteral(". ") + lines.value(1)).left(64).toLower();
        partsWithChapter += partAndChapter ? 1 : 0;
        EXPECT_TRUE(partAndChapter || name == lines.value(0).left(64).toLower()) << i << " " << name.toStdString();
    }
    EXPECT_GT(sizeBreaks, 0);
    EXPECT_EQ(partsWithChapter, 7); // parts two to eight; the first opens with an epigraph
}

TEST_F(RealBook, NoWordIsLostOrAdded)
{
    const BookBlocks book = cut();
    EXPECT_EQ(wordsOf(removeVoiceMarkers(book.blocks.join(QString()))), wordsOf(text));
}

TEST_F(RealBook, WithoutDialogueAnalysisTheBlocksHoldTheLinesAsTheyAre)
{
    options.analyseDialogues = false;
    const BookBlocks book = cut();
    QString joined;
    for (const QString &block : book.blocks) {
        ASSERT_TRUE(block.startsWith(QStringLiteral("\r\n")));
        joined += block.mid(2);
    }
    // Only the headings change: they are written in proper case.
    const QString expected =
        splitBookLines(escapeAngleBrackets(text)).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    EXPECT_EQ(joined.size(), expected.size());
    EXPECT_TRUE(joined.compare(expected, Qt::CaseInsensitive) == 0);
}
