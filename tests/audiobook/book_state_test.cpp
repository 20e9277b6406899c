// What the library shows of a book: blocks recorded of all, their sound
// against the whole book's, the kind of audiobook and the cover, read from
// the book's project and its audio folder as a recording leaves them.

#include "app/project_store.h"
#include "audiobook/book_state.h"
#include "mp3/book_audio.h"

#include "support/temp_program_folder.h"
#include "support/tool_run.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

bool run(const QString &program, const QStringList &args)
{
    return runTool(program, args).succeeded;
}

// A book of three blocks of 100, 200 and 300 characters with chapter titles,
// and an audio folder the settings point at.
struct LibraryBook
{
    TempProgramFolder folder;
    Settings settings;
    QString name = QStringLiteral("Книга «Степь»");
    QString audioFolder;

    LibraryBook()
    {
        settings.outputFolder = folder.file(QStringLiteral("Аудио"));
        settings.coefficient1 = 441; // 441 × 100 bytes a character at 44,100 bytes a second: 1 s each
        // The length in the name, as "%l%" puts it: a file of another length pattern is no block.
        settings.fileNameTemplate = QStringLiteral("%n%-%t% (%l%)");
        audioFolder = settings.outputFolder + u'/' + name;
        QDir().mkpath(audioFolder);
        for (int n = 1; n <= 3; ++n)
            folder.writeCp1251(QStringLiteral("Projects/%1/%2").arg(name, blockFileName(n)), QString(100 * n, u'а'));
        folder.writeCp1251(
            QStringLiteral("Projects/%1/project.ini").arg(name),
            QStringLiteral("[Оглавление]\r\nКол-во=3\r\nБлок1=Начало\r\nБлок2=Дорога\r\nБлок3=Конец\r\n"));
    }

    QString mp3Path(int n, const QString &length)
    {
        TagInfo info;
        BlockTitles titles;
        loadChapters(bookFolder(folder.path(), name), name, 3, info, titles);
        BookAudio audio{settings, folder.path(), audioFolder, name, 3, info, titles};
        return audioFolder + u'/' + mp3FileName(audio, n, length);
    }

    // An MP3 of `seconds` of tone, as lame writes a block.
    void encodeBlock(int n, double seconds)
    {
        const QString wav = folder.file(QStringLiteral("tone.wav"));
        ASSERT_TRUE(run(QStringLiteral("ffmpeg"),
                        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                         QStringLiteral("lavfi"), QStringLiteral("-i"),
                         QStringLiteral("sine=frequency=440:duration=%1").arg(seconds), QStringLiteral("-ac"),
                         QStringLiteral("1"), QStringLiteral("-ar"), QStringLiteral("22050"), wav}));
        ASSERT_TRUE(run(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"),
                                                 wav, mp3Path(n, QStringLiteral("00-0%1").arg(int(seconds)))}));
    }

    BookState read() { return BookStateReader(settings, folder.path(), 44100).read(name); }
};

} // namespace

TEST(BookState, NothingRecordedIsAnEstimateOfTheWholeBook)
{
    LibraryBook book;
    const BookState state = book.read();
    EXPECT_EQ(state.blockCount, 3);
    EXPECT_EQ(state.recordedBlocks, 0);
    EXPECT_EQ(state.recordedSeconds, 0);
    EXPECT_EQ(state.estimatedSeconds, 600);
    EXPECT_EQ(state.audioFolder, book.audioFolder);
    EXPECT_TRUE(state.coverPath.isEmpty());
    EXPECT_EQ(bookStateLine(state), QStringLiteral("0 из 3 блоков · 00:00:00 из ~00:10:00 · MP3"));
    EXPECT_TRUE(bookStateToolTip(state).contains(QDir::toNativeSeparators(book.audioFolder)));
}

TEST(BookState, RecordedBlocksCountWithTheirSoundAndTheRestIsForeseen)
{
    if (!toolsInstalled({QStringLiteral("ffmpeg"), QStringLiteral("lame")}))
        GTEST_SKIP() << "ffmpeg or lame is not installed";
    LibraryBook book;
    book.encodeBlock(1, 2);
    book.encodeBlock(3, 4);
    // Files that only look alike are no blocks: another length pattern, a
    // half-written MP3 of the encoder.
    QFile(book.mp3Path(2, QStringLiteral("0-05"))).open(QIODevice::WriteOnly);
    QFile(book.mp3Path(2, QStringLiteral("00-05")) + QStringLiteral(".part")).open(QIODevice::WriteOnly);
    const BookState state = book.read();
    EXPECT_EQ(state.recordedBlocks, 2);
    // lame's frames round each block up a little.
    EXPECT_NEAR(state.recordedSeconds, 6, 0.3);
    EXPECT_NEAR(state.estimatedSeconds - state.recordedSeconds, 200, 1e-9); // block 2 is still an estimate
    EXPECT_EQ(bookStateLine(state), QStringLiteral("2 из 3 блоков · 00:00:06 из ~00:03:26 · MP3"));

    book.encodeBlock(2, 3);
    const BookState whole = book.read();
    EXPECT_EQ(whole.recordedBlocks, 3);
    EXPECT_NEAR(whole.estimatedSeconds, whole.recordedSeconds, 1e-9);
    EXPECT_EQ(bookStateLine(whole), QStringLiteral("3 из 3 блоков · 00:00:09 · MP3"));
}

TEST(BookState, TheKindOfBookIsTheOneMadeElseTheOneChosen)
{
    LibraryBook book;
    book.settings.audiobookFormat = AudiobookFormat::Mp3Book;
    EXPECT_EQ(book.read().format, AudiobookFormat::Mp3Book);
    EXPECT_TRUE(book.read().bookFile.isEmpty());

    const QString m4b = book.audioFolder + u'/' + book.name + QStringLiteral(".m4b");
    QFile(m4b).open(QIODevice::WriteOnly);
    const QString cover = book.folder.file(QStringLiteral("Projects/") + book.name + QStringLiteral("/cover.png"));
    QFile(cover).open(QIODevice::WriteOnly);
    const BookState made = book.read();
    EXPECT_EQ(made.format, AudiobookFormat::M4bBook);
    EXPECT_EQ(made.bookFile, m4b);
    EXPECT_EQ(made.coverPath, cover);
    EXPECT_TRUE(bookStateLine(made).endsWith(QStringLiteral(" · M4B")));
    EXPECT_TRUE(bookStateToolTip(made).contains(book.name + QStringLiteral(".m4b")));
}
