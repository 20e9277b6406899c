#include "audiobook/book_state.h"

#include "app/folder_removal.h"
#include "app/project_cover.h"
#include "app/project_store.h"
#include "audiobook/audiobook_assembler.h"
#include "audiobook/mp3_length.h"
#include "common/format_duration.h"
#include "mp3/book_audio.h"
#include "recording/block_text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kLengthPlaceholder = QStringLiteral("{flen}");

// The MP3 of every recorded block, found in one listing of the folder: a
// block's name with its length ("MM-SS") left open is looked up among the
// sorted names, so a book of thousands of blocks costs no more than its
// listing.
QHash<int, QString> recordedBlockFiles(BookAudio &audio)
{
    QHash<int, QString> found;
    const QDir folder(audio.audioFolder);
    if (!folder.exists())
        return found;
    QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    std::sort(names.begin(), names.end());
    for (int n = 1; n <= audio.blockCount; ++n) {
        const QString name = mp3FileName(audio, n, kLengthPlaceholder);
        const qsizetype open = name.indexOf(kLengthPlaceholder);
        const QString prefix = open < 0 ? name : name.left(open);
        const QString suffix = open < 0 ? QString() : name.mid(open + kLengthPlaceholder.size());
        for (auto it = std::lower_bound(names.cbegin(), names.cend(), prefix);
             it != names.cend() && it->startsWith(prefix); ++it) {
            const QString middle = it->mid(prefix.size(), it->size() - prefix.size() - suffix.size());
            const bool same = open < 0 ? *it == name : it->endsWith(suffix) && middle.size() == 5 && middle[2] == u'-';
            if (same) {
                found.insert(n, folder.filePath(*it));
                break;
            }
        }
    }
    return found;
}

// The one-file book of either kind when it is in the audio folder.
QString existingBookFile(BookAudio &audio, const QString &projectFolder, AudiobookFormat &format)
{
    for (AudiobookFormat kind : {AudiobookFormat::M4bBook, AudiobookFormat::Mp3Book}) {
        Settings asMade = audio.settings;
        asMade.audiobookFormat = kind;
        BookAudio withKind{asMade,           audio.programFolder, audio.audioFolder, audio.libraryName,
                           audio.blockCount, audio.info,          audio.titles};
        const QString path = AudiobookAssembler(withKind, projectFolder, MediaTools()).bookFilePath();
        QStringList candidates{path};
        if (kind == AudiobookFormat::Mp3Book)
            candidates << path.chopped(4) + QStringLiteral(" (книга).mp3");
        for (const QString &candidate : candidates) {
            if (QFileInfo(candidate).isFile()) {
                format = kind;
                return candidate;
            }
        }
    }
    return {};
}

QString formatShortName(AudiobookFormat format)
{
    switch (format) {
    case AudiobookFormat::M4bBook: return QStringLiteral("M4B");
    case AudiobookFormat::Mp3Book: return QStringLiteral("MP3 одним файлом");
    case AudiobookFormat::BlockMp3: break;
    }
    return QStringLiteral("MP3");
}

} // namespace

BookStateReader::BookStateReader(const Settings &settings, QString programFolder, int wavBytesPerSecond)
    : m_settings(settings), m_programFolder(std::move(programFolder)), m_wavBytesPerSecond(wavBytesPerSecond)
{ }

QList<int> BookStateReader::blockCharacters(const QString &book)
{
    auto known = m_blockCharacters.constFind(book);
    if (known != m_blockCharacters.cend())
        return *known;
    const BlockTextSource source(m_settings, m_programFolder, nullptr);
    const int blocks = countBlocks(bookFolder(m_programFolder, book));
    QList<int> characters;
    characters.reserve(blocks);
    for (int n = 1; n <= blocks; ++n)
        characters << source.blockRawLength(n, book);
    m_blockCharacters.insert(book, characters);
    return characters;
}

double BookStateReader::mp3Seconds(const QString &path)
{
    const QFileInfo file(path);
    const auto known = m_mp3Seconds.constFind(path);
    if (known != m_mp3Seconds.cend() && known->modified == file.lastModified() && known->size == file.size())
        return known->seconds;
    const double seconds = mp3HeaderSeconds(path).value_or(0);
    m_mp3Seconds.insert(path, {file.lastModified(), file.size(), seconds});
    return seconds;
}

BookState BookStateReader::read(const QString &book)
{
    BookState state;
    state.book = book;
    if (!isPlainEntryName(book))
        return state;
    const QString project = bookFolder(m_programFolder, book);
    const QList<int> characters = blockCharacters(book);
    state.blockCount = int(characters.size());
    state.audioFolder = m_settings.outputFolder + u'/' + book;
    state.coverPath = projectCoverPath(project);
    state.format = m_settings.audiobookFormat;

    TagInfo info;
    BlockTitles titles;
    loadChapters(project, book, state.blockCount, info, titles);
    BookAudio audio{m_settings, m_programFolder, state.audioFolder, book, state.blockCount, info, titles};
    const QHash<int, QString> recorded = recordedBlockFiles(audio);
    const SpeakingRate rate{m_settings.coefficient1, m_wavBytesPerSecond};
    qint64 unrecordedCharacters = 0;
    for (int n = 1; n <= state.blockCount; ++n) {
        const auto file = recorded.constFind(n);
        if (file == recorded.cend()) {
            unrecordedCharacters += characters[n - 1];
            continue;
        }
        ++state.recordedBlocks;
        state.recordedSeconds += mp3Seconds(*file);
    }
    state.estimatedSeconds = state.recordedSeconds + double(rate.seconds(unrecordedCharacters));
    state.bookFile = existingBookFile(audio, project, state.format);
    return state;
}

QString bookStateLine(const BookState &state)
{
    QStringList parts;
    parts << QStringLiteral("%1 из %2 блоков").arg(state.recordedBlocks).arg(state.blockCount);
    const bool whole = state.blockCount > 0 && state.recordedBlocks == state.blockCount;
    parts << (whole ? formatDuration(state.recordedSeconds)
                    : formatDuration(state.recordedSeconds) + QStringLiteral(" из ~")
                          + formatDuration(state.estimatedSeconds));
    parts << formatShortName(state.format);
    return parts.join(QStringLiteral(" · "));
}

QString bookStateToolTip(const BookState &state)
{
    QStringList lines;
    lines << state.book;
    lines << QStringLiteral("Записано блоков: %1 из %2").arg(state.recordedBlocks).arg(state.blockCount);
    lines << QStringLiteral("Длительность: %1 записано, вся книга около %2")
                 .arg(formatDuration(state.recordedSeconds), formatDuration(state.estimatedSeconds));
    lines << QStringLiteral("Формат: ") + formatShortName(state.format)
                 + (state.bookFile.isEmpty()
                        ? QString()
                        : QStringLiteral(" (") + QFileInfo(state.bookFile).fileName() + QStringLiteral(")"));
    lines << QStringLiteral("Папка аудиофайлов: ") + QDir::toNativeSeparators(state.audioFolder);
    return lines.join(u'\n');
}
