#include "audiobook/audiobook_assembler.h"

#include "app/project_cover.h"
#include "audiobook/aac_bit_rate.h"
#include "audiobook/aac_block_files.h"
#include "audiobook/book_file_commands.h"
#include "audiobook/book_tags.h"
#include "audiobook/m4a_length.h"
#include "audiobook/m4b_from_aac.h"
#include "audiobook/mp3_chapter_tags.h"
#include "audiobook/mp3_length.h"
#include "common/clean_file_name.h"
#include "common/user_file.h"
#include "mp3/lame_command.h"
#include "mp3/tag_module.h"
#include "mp3/transliterate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A book file whose length is this close to the blocks' sum holds them.
constexpr double kSameLengthSeconds = 0.5;

const QString kNoFfmpeg = QStringLiteral("Для аудиокниги одним файлом нужен FFmpeg, но программа «%1» не "
                                         "запускается. Установите пакет ffmpeg. MP3-файлы блоков сохранены.");

AssemblyResult failed(const QString &message)
{
    return {AssemblyStatus::Failed, message};
}

bool writeUtf8(const QString &path, const QString &text)
{
    return UserFile::writeBytes(path, text.toUtf8());
}

QString lastLine(const QByteArray &output)
{
    const QStringList lines = QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

} // namespace

QString blockNumbersText(const QList<int> &blocks)
{
    QStringList parts;
    for (qsizetype i = 0; i < blocks.size();) {
        qsizetype j = i;
        while (j + 1 < blocks.size() && blocks[j + 1] == blocks[j] + 1)
            ++j;
        parts << (j == i ? QString::number(blocks[i]) : QStringLiteral("%1–%2").arg(blocks[i]).arg(blocks[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

AudiobookAssembler::AudiobookAssembler(BookAudio &book, QString projectFolder, MediaTools tools)
    : m_book(book), m_projectFolder(std::move(projectFolder)), m_tools(std::move(tools))
{ }

QString AudiobookAssembler::fileStem() const
{
    const Settings &s = m_book.settings;
    QString name = cleanFileName(m_book.libraryName, dotReplacement(s), spaceReplacement(s), false);
    if (s.translit)
        name = transliterate(name);
    return m_book.audioFolder + u'/' + applyYoOption(s, name);
}

QString AudiobookAssembler::bookFilePath() const
{
    if (m_book.settings.audiobookFormat == AudiobookFormat::M4bBook)
        return fileStem() + QStringLiteral(".m4b");
    // A block named by a title that is the book's own (the first block's,
    // with a "%t%" template) must not be replaced by the book.
    return fileStem() + (m_nameTakenByBlock ? QStringLiteral(" (книга).mp3") : QStringLiteral(".mp3"));
}

QString AudiobookAssembler::playlistPath() const
{
    return fileStem() + QStringLiteral(".m3u8");
}

QList<AudiobookAssembler::BlockFile> AudiobookAssembler::blockFiles(int lastBlock, QList<int> &missing)
{
    QList<BlockFile> files;
    for (int n = 1; n <= m_book.blockCount; ++n) {
        const QString name = m_aacBlocks ? existingM4aName(m_book, n) : existingMp3Name(m_book, n);
        if (name.isEmpty()) {
            if (n <= lastBlock)
                missing << n;
            continue;
        }
        const QString title = applyYoOption(m_book.settings, m_book.titles.title(n));
        files.append({n, {QFileInfo(m_book.audioFolder + u'/' + name).absoluteFilePath(), title}});
    }
    return files;
}

std::optional<AssemblyResult> AudiobookAssembler::measure(QList<BlockFile> &files, bool forBook)
{
    for (BlockFile &file : files) {
        // The encoder's length header gives the prober's figure without the
        // cost of a program start per block (a long book has hundreds). An
        // AAC block's length is its packets' (its own index tells), which
        // the prober does not give.
        if (const auto seconds =
                m_aacBlocks ? m4aPacketSeconds(file.chapter.file) : mp3HeaderSeconds(file.chapter.file)) {
            file.chapter.seconds = *seconds;
            continue;
        }
        if (m_aacBlocks && forBook)
            return failed(QStringLiteral("FFmpeg не смог прочитать файл «%1». Запишите этот блок заново.")
                              .arg(QDir::toNativeSeparators(file.chapter.file)));
        const ProbedDuration probed = probeDuration(m_tools.ffprobe, file.chapter.file, keepGoing);
        if (probed.end == ToolRunEnd::Done) {
            file.chapter.seconds = probed.seconds;
            continue;
        }
        if (probed.end == ToolRunEnd::Cancelled)
            return AssemblyResult{AssemblyStatus::Cancelled, {}};
        // The playlist alone can do without lengths ("-1" in it).
        if (!forBook) {
            file.chapter.seconds = -1;
            continue;
        }
        if (probed.end == ToolRunEnd::NotStarted)
            return failed(kNoFfmpeg.arg(m_tools.ffprobe));
        return failed(QStringLiteral("FFmpeg не смог прочитать файл «%1». Запишите этот блок заново.")
                          .arg(QDir::toNativeSeparators(file.chapter.file)));
    }
    return std::nullopt;
}

bool AudiobookAssembler::writePlaylist(const QList<BlockFile> &files)
{
    QList<BookChapter> chapters;
    for (const BlockFile &file : files)
        chapters << file.chapter;
    return writeUtf8(playlistPath(), playlistText(chapters));
}

bool AudiobookAssembler::isUpToDate(const QList<BookChapter> &chapters)
{
    const QFileInfo book(bookFilePath());
    if (!book.isFile())
        return false;
    QStringList sources;
    for (const BookChapter &chapter : chapters)
        sources << chapter.file;
    const QString cover = projectCoverPath(m_projectFolder);
    if (!cover.isEmpty())
        sources << cover;
    for (const QString &source : sources)
        if (QFileInfo(source).lastModified() > book.lastModified())
            return false;
    // Blocks recorded before an earlier, shorter book was made are older
    // than it but not in it: its length tells.
    const ProbedDuration probed = probeDuration(m_tools.ffprobe, book.absoluteFilePath(), keepGoing);
    return probed.end == ToolRunEnd::Done
           && std::abs(probed.seconds - totalMicroseconds(chapters) / 1e6) < kSameLengthSeconds;
}

AssemblyResult AudiobookAssembler::assemble(const QList<BookChapter> &chapters)
{
    QTemporaryDir work;
    const Settings &s = m_book.settings;
    BookFileInputs inputs{m_tools.ffmpeg, work.filePath(QStringLiteral("blocks.txt")),
                          work.filePath(QStringLiteral("chapters.txt")), projectCoverPath(m_projectFolder),
                          bookFilePath() + kPartialMp3Suffix};
    const BookTags tags = bookTagsFor(s, m_book.info, m_book.libraryName);
    if (!work.isValid() || !writeUtf8(inputs.concatList, concatListText(chapters))
        || !writeUtf8(inputs.metadata, ffmetadataText(tags, chapters)))
        return failed(QStringLiteral("Не удалось записать временные файлы для сборки аудиокниги."));

    const bool m4b = s.audiobookFormat == AudiobookFormat::M4bBook;
    ProcessRunner runner;
    const ProcessRequest request = !m4b          ? joinedMp3Request(inputs)
                                   : m_aacBlocks ? m4bFromAacRequest(inputs)
                                                 : m4bRequest(inputs, aacBitRate(s.lameParameters));
    const ToolRunEnd end = runToEnd(runner, request, keepGoingWriting(inputs.output, foreseenBytes(chapters)));
    const QString book = QDir::toNativeSeparators(bookFilePath());
    if (end != ToolRunEnd::Done) {
        QFile::remove(inputs.output);
        if (end == ToolRunEnd::Cancelled)
            return {AssemblyStatus::Cancelled, {}};
        if (end == ToolRunEnd::NotStarted)
            return failed(kNoFfmpeg.arg(m_tools.ffmpeg));
        return failed(QStringLiteral("FFmpeg не смог собрать аудиокнигу «%1»: %2\nMP3-файлы блоков сохранены.")
                          .arg(book, lastLine(runner.lastErrorOutput())));
    }
    if (!m4b && !writeMp3BookTag(inputs.output, tags, chapters, inputs.cover)) {
        QFile::remove(inputs.output);
        return failed(QStringLiteral("Не удалось записать главы и обложку в аудиокнигу «%1».").arg(book));
    }
    // rename() replaces the old book in one step: a player or a crash sees
    // the old book or the new one.
    if (std::rename(QFile::encodeName(inputs.output).constData(), QFile::encodeName(bookFilePath()).constData()) != 0) {
        QFile::remove(inputs.output);
        return failed(QStringLiteral("Не удалось записать аудиокнигу «%1». Проверьте свободное место на диске и права "
                                     "на запись.")
                          .arg(book));
    }
    return {AssemblyStatus::Assembled, {}};
}

double AudiobookAssembler::foreseenBytes(const QList<BookChapter> &chapters) const
{
    if (m_book.settings.audiobookFormat == AudiobookFormat::M4bBook && !m_aacBlocks)
        return aacBitRate(m_book.settings.lameParameters) * 1000.0 / 8 * (totalMicroseconds(chapters) / 1e6);
    // The MP3 book and the M4B of AAC blocks are the blocks' frames, copied.
    double bytes = 0;
    for (const BookChapter &chapter : chapters)
        bytes += double(QFileInfo(chapter.file).size());
    return bytes;
}

KeepGoing AudiobookAssembler::keepGoingWriting(const QString &output, double foreseen) const
{
    return [this, output, foreseen] {
        if (progress && foreseen > 0)
            progress(std::min(1.0, double(QFileInfo(output).size()) / foreseen));
        return !keepGoing || keepGoing();
    };
}

void AudiobookAssembler::removeBlockFiles(const QList<BlockFile> &files)
{
    for (const BlockFile &file : files)
        QFile::remove(file.chapter.file);
    // It would list files that are gone.
    QFile::remove(playlistPath());
}

AssemblyResult AudiobookAssembler::finishBook(int lastBlock)
{
    if (!m_book.settings.compressMp3)
        return {};
    // Blocks recorded as MP3 before the AAC blocks were chosen are made into
    // the book the way MP3 blocks are.
    m_aacBlocks = recordsAacBlocks(m_book.settings);
    for (int n = 1; m_aacBlocks && n <= m_book.blockCount; ++n)
        m_aacBlocks = existingMp3Name(m_book, n).isEmpty();
    QList<int> missing;
    QList<BlockFile> files = blockFiles(lastBlock, missing);
    if (files.isEmpty())
        return {};
    m_nameTakenByBlock = false;
    const QString plainName = bookFilePath();
    m_nameTakenByBlock = std::any_of(files.cbegin(), files.cend(),
                                     [&](const BlockFile &file) { return file.chapter.file == plainName; });
    const bool forBook = m_book.settings.audiobookFormat != AudiobookFormat::BlockMp3 && lastBlock > 0;
    if (auto stopped = measure(files, forBook))
        return *stopped;
    if (!writePlaylist(files))
        return failed(QStringLiteral("Не удалось записать список воспроизведения «%1».")
                          .arg(QDir::toNativeSeparators(playlistPath())));
    if (!forBook)
        return {AssemblyStatus::PlaylistOnly, {}};
    if (!missing.isEmpty())
        return {AssemblyStatus::Incomplete,
                QStringLiteral("Аудиокнига «%1» не собрана в один файл: нет MP3-файлов блоков %2. Когда эти блоки "
                               "будут записаны, книга соберётся.")
                    .arg(m_book.libraryName, blockNumbersText(missing))};

    QList<BlockFile> inBook;
    QList<BookChapter> chapters;
    for (const BlockFile &file : files)
        if (file.block <= lastBlock) {
            inBook << file;
            chapters << file.chapter;
        }
    AssemblyResult result{AssemblyStatus::UpToDate, {}};
    if (!isUpToDate(chapters))
        result = assemble(chapters);
    // The blocks go only once the book holds the whole book.
    if (result.status != AssemblyStatus::Cancelled && result.status != AssemblyStatus::Failed
        && m_book.settings.deleteBlockMp3 && lastBlock >= m_book.blockCount)
        removeBlockFiles(inBook);
    return result;
}
