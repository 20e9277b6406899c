// Making a 10-hour book into one file from its blocks: 300 blocks of two
// minutes (one tone encoded by lame at the default "-b 64 -h", copied under
// each block's name), then the whole end of a recording for each kind, run
// as the recording runs it: the blocks' lengths, the playlist, the book.
// Prints the time of each kind and the size of its file.

#include "audiobook/audiobook_assembler.h"
#include "mp3/book_audio.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kBlocks = 300;
constexpr int kBlockSeconds = 120;

bool run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

// One block's MP3, made by lame from a quiet tone of speech's sample rate.
bool makeBlock(const QString &folder, const QString &mp3)
{
    const QString wav = folder + QStringLiteral("/tone.wav");
    return run(QStringLiteral("ffmpeg"),
               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("sine=frequency=220:duration=%1").arg(kBlockSeconds), QStringLiteral("-ac"),
                QStringLiteral("1"), QStringLiteral("-ar"), QStringLiteral("22050"), wav})
           && run(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("64"),
                                           QStringLiteral("-h"), wav, mp3})
           && QFile::remove(wav);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    Settings settings;
    TagInfo info;
    info.title = QStringLiteral("Десятичасовая книга");
    QStringList titles;
    for (int n = 1; n <= kBlocks; ++n)
        titles << QStringLiteral("Глава %1").arg(n);
    const BlockTitles blockTitles(titles);
    const QString audio = work.filePath(QStringLiteral("Книга"));
    QDir().mkpath(audio);
    BookAudio book{settings, work.path(), audio, QStringLiteral("Книга"), kBlocks, info, blockTitles};

    const QString first = audio + u'/' + mp3FileName(book, 1, QString());
    if (!makeBlock(work.path(), first)) {
        std::fprintf(stderr, "ffmpeg or lame failed\n");
        return 1;
    }
    for (int n = 2; n <= kBlocks; ++n)
        QFile::copy(first, audio + u'/' + mp3FileName(book, n, QString()));
    std::printf("%d blocks of %d s (%.1f h), %lld MB of MP3\n", kBlocks, kBlockSeconds,
                kBlocks * kBlockSeconds / 3600.0, QFileInfo(first).size() * kBlocks / 1000000);

    for (const AudiobookFormat format :
         {AudiobookFormat::BlockMp3, AudiobookFormat::Mp3Book, AudiobookFormat::M4bBook}) {
        settings.audiobookFormat = format;
        AudiobookAssembler assembler(book, work.path(), mediaTools(work.path()));
        QElapsedTimer timer;
        timer.start();
        const AssemblyResult result = assembler.finishBook(kBlocks);
        const double seconds = timer.elapsed() / 1000.0;
        const bool made = result.status == AssemblyStatus::Assembled;
        std::printf("%-10s %7.1f s  %s %lld MB\n",
                    format == AudiobookFormat::BlockMp3  ? "playlist"
                    : format == AudiobookFormat::Mp3Book ? "mp3-book"
                                                         : "m4b",
                    seconds, made ? "book file" : "no book file",
                    made ? QFileInfo(assembler.bookFilePath()).size() / 1000000 : 0);
        if (!result.message.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(result.message));
    }
    return 0;
}
