#include "app/session/recording_session.h"

#include "app/project_store.h"
#include "audiobook/aac_block_files.h"
#include "audiobook/audiobook_assembler.h"
#include "audiobook/book_read_along.h"
#include "audiobook/book_tags.h"
#include "dictionaries/dictionary_save_notice.h"

#include <QElapsedTimer>
#include <QFileInfo>

RecordingSession::RecordingSession(Settings &settings, const QString &programFolder, RecordingJobHost &host)
    : m_settings(settings), m_programFolder(programFolder), m_dictionaries(programFolder),
      m_source(settings, programFolder, &m_dictionaries), m_texts(m_source, QString()), m_voice(settings),
      m_driver(
          settings, programFolder, m_voice, m_texts, [this](const RecordedBook &book) { return bookFiles(book); },
          m_encoders, m_clock, host),
      m_job(settings, m_driver, host)
{
    m_source.setDictionaryProgress([this](bool applying) {
        m_applyingDictionaries = applying;
        m_driver.setApplyingDictionaries(applying);
        if (!applying && m_reloadPending) {
            m_reloadPending = false;
            reloadDictionaries();
        }
    });
    // A dictionary saved in the editor reaches the recording from its next
    // block on; while a block's text is being rewritten the reload waits.
    QObject::connect(&DictionarySaveNotice::instance(), &DictionarySaveNotice::saved, &m_driver, [this] {
        if (m_applyingDictionaries)
            m_reloadPending = true;
        else
            reloadDictionaries();
    });
    m_source.setYield([&host] { host.processEvents(); });
    m_driver.debugMode = QFileInfo(programFolder + QStringLiteral("/debug")).isDir();
    m_job.prepareBook = [this](const RecordedBook &book) { prepareBook(book); };
    m_job.voicesInstalled = [] { return !SpeechVoice::voices().isEmpty(); };
    m_job.finishBook = [this, &host](const RecordedBook &book, const RecordingOutcome &outcome) {
        return finishBook(book, outcome, host);
    };
    reloadDictionaries();
}

void RecordingSession::reloadDictionaries()
{
    m_dictionaries.loadDictionaryList();
    if (m_settings.applyDictionaries)
        m_dictionaries.loadEnabledDictionaries();
    else
        m_dictionaries.clearEntries();
}

void RecordingSession::prepareBook(const RecordedBook &book)
{
    m_texts.setBook(book.name);
    m_source.setSelectedBook(book.name);
}

namespace {

// A book's files with the description and chapter titles they name and tag
// the MP3s by.
struct OwnBookFiles
{
    TagInfo info;
    BlockTitles titles;
    std::unique_ptr<OutputFiles> files;
};

} // namespace

std::shared_ptr<OutputFiles> RecordingSession::bookFiles(const RecordedBook &book)
{
    auto own = std::make_shared<OwnBookFiles>();
    loadChapters(bookFolder(m_programFolder, book.name), book.name, book.blockCount, own->info, own->titles);
    BookAudio audio{m_settings, m_programFolder, book.audioFolder, book.name, book.blockCount, own->info, own->titles};
    if (recordsAacBlocks(m_settings))
        own->files = std::make_unique<AacBlockFiles>(std::move(audio), mediaTools(m_programFolder).ffmpeg);
    else
        own->files = std::make_unique<BookOutputFiles>(std::move(audio));
    // The files live as long as the description they point into.
    return std::shared_ptr<OutputFiles>(own, own->files.get());
}

namespace {

// The last block the one-file book is made up to: the range's, or for
// blocks recorded again by their list, every block when the book has a book
// file to bring up to date (none: the playlist only).
int lastBlockOfBookFile(const RecordedBook &book, const AudiobookAssembler &assembler)
{
    if (book.blocks.isEmpty())
        return book.last;
    return QFileInfo::exists(assembler.bookFilePath()) ? book.blockCount : 0;
}

} // namespace

bool RecordingSession::finishBook(const RecordedBook &book, const RecordingOutcome &outcome, RecordingJobHost &host)
{
    TagInfo info;
    BlockTitles titles;
    loadChapters(bookFolder(m_programFolder, book.name), book.name, book.blockCount, info, titles);
    BookAudio audio{m_settings, m_programFolder, book.audioFolder, book.name, book.blockCount, info, titles};
    AudiobookAssembler assembler(audio, bookFolder(m_programFolder, book.name), mediaTools(m_programFolder));
    assembler.keepGoing = [this, &host] {
        host.processEvents();
        return !m_job.assemblyCancelled();
    };
    // A run that stopped early leaves its blocks for a later one to make
    // the book of.
    const bool complete = !outcome.stoppedByUser && !outcome.engineFailed && !outcome.filesFailed;
    // While a batch speaks its next book, the progress shown is that book's.
    const bool ownProgress = !m_driver.isRecording();
    QElapsedTimer assemblyTime;
    assemblyTime.start();
    if (complete && ownProgress && m_settings.audiobookFormat != AudiobookFormat::BlockMp3) {
        // Putting hours of sound into one file takes a while: the status
        // says so, and the share and the clock go on meanwhile.
        host.showProgress(m_driver.assemblyProgress(0, 0));
        assembler.progress = [this, &host, &assemblyTime](double share) {
            host.showProgress(m_driver.assemblyProgress(share, assemblyTime.elapsed() / 1000.0));
        };
    }
    // The blocks' read-along texts are read before the book is made: its
    // blocks may go once it is.
    const bool oneFile = m_settings.audiobookFormat != AudiobookFormat::BlockMp3;
    const int lastBlock = complete ? lastBlockOfBookFile(book, assembler) : 0;
    const auto readAlong =
        lastBlock > 0 && oneFile && m_settings.readAlong ? BookReadAlong::collect(audio, lastBlock) : std::nullopt;
    const AssemblyResult result = assembler.finishBook(lastBlock);
    if (readAlong && (result.status == AssemblyStatus::Assembled || result.status == AssemblyStatus::UpToDate)) {
        const BookTags tags = bookTagsFor(m_settings, info, book.name);
        readAlong->writeBeside(assembler.bookFilePath(), {tags.title, tags.artist, tags.album, 0});
        readAlong->removeOrphans();
    }
    if (complete && ownProgress && result.status != AssemblyStatus::Failed
        && result.status != AssemblyStatus::Cancelled)
        host.showProgress(m_driver.finishedProgress());
    if (!result.message.isEmpty())
        host.dialogs().show({QStringLiteral("Lectorium"), result.message,
                             result.status == AssemblyStatus::Failed ? DialogIcon::Critical : DialogIcon::Information,
                             DialogButtons::Ok});
    return result.status != AssemblyStatus::Failed;
}
