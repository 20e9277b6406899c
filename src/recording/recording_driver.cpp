#include "recording/recording_driver.h"

#include "app/project_store.h"
#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/progress_texts.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr double kSecondsPerDay = 86400;
// A coefficient never measured yet.
constexpr double kUnmeasuredCoefficient = 8.2494;

} // namespace

BookFilesFactory sharedFiles(OutputFiles &files)
{
    // Not owned: the files outlive the driver.
    return [&files](const RecordedBook &) { return std::shared_ptr<OutputFiles>(std::shared_ptr<void>(), &files); };
}

RecordingDriver::RecordingDriver(Settings &settings, QString programFolder, RecordingVoice &voice, BlockTexts &texts,
                                 BookFilesFactory bookFiles, EncoderPool &encoders, RecordingClock &clock,
                                 RecordingHost &host, QObject *parent)
    : QObject(parent), m_settings(settings), m_programFolder(std::move(programFolder)), m_voice(voice), m_texts(texts),
      m_bookFiles(std::move(bookFiles)), m_encoders(encoders), m_clock(clock), m_host(host)
{
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(kTickMsecs);
    connect(&m_timer, &QTimer::timeout, this, &RecordingDriver::tick);
    m_encoderPoll.setInterval(kEncoderPollMsecs);
    connect(&m_encoderPoll, &QTimer::timeout, this, &RecordingDriver::encoderPoll);
    // A run that ends is seen at once. The look is queued, since the notice
    // may come while the pool itself is stopping runs; the pool may outlive
    // the driver, and its runs end when it goes.
    m_encoders.setRunEndNotice([driver = QPointer<RecordingDriver>(this)] {
        if (driver)
            QMetaObject::invokeMethod(driver, &RecordingDriver::encoderPoll, Qt::QueuedConnection);
    });
    m_speechPoll.setInterval(kEncoderPollMsecs);
    connect(&m_speechPoll, &QTimer::timeout, this, &RecordingDriver::lookAtVoice);
}

void RecordingDriver::lookAtVoice()
{
    if (m_recording && !m_waitingForEncoder && !m_abortRequest && !m_paused && m_voice.waitUntilDone(0))
        tick();
}

void RecordingDriver::encoderPoll()
{
    if (m_recording)
        compressionStep();
    if (m_recording && encodersHaveWork())
        return;
    m_encoderPoll.stop();
    // The job only waited for these encoder runs: it can end now.
    if (m_recording && m_waitingForEncoder)
        tick();
}

// ---- start ------------------------------------------------------------------

bool RecordingDriver::startSingle(const RecordedBook &book)
{
    if (m_recording) {
        // Only a book whose speaking is over makes room for the next one.
        if (!m_waitingForEncoder || m_stopRequest || m_abortRequest)
            return false;
        handOverSpokenBook();
    }
    m_book = book;
    m_encoding = std::make_unique<BookEncoding>();
    m_encoding->id = ++m_lastEncodingId;
    m_encoding->book = book;
    m_encoding->files = m_bookFiles(book);
    m_progress = RecordingProgress();
    m_progress.book = book.name;
    m_progress.blocksInRange = m_book.blocks.isEmpty() ? m_book.last - m_book.first + 1 : int(m_book.blocks.size());
    m_textChanged.clear();
    m_stopRequest = m_abortRequest = m_paused = false;
    m_engineFailed = m_filesFailed = false;
    m_waitingForEncoder = false;
    m_adjustedBlock = 0;
    m_recording = true;
    m_encoders.setJobs(EncoderPool::jobsForSetting(m_settings.encoderJobs));
    m_totalChars = m_charsDone = 0;
    m_spokenBytes = m_encodedBytes = 0;
    m_blocksSpoken = 0;
    m_encodeSeconds = 0;
    m_startTime = now();
    // A book that ends at once still ends after the books handed over
    // before it: the end test waits for them.
    QDir().mkpath(m_book.audioFolder);
    if (!lockAudioFolder()) {
        m_filesFailed = m_abortRequest = true;
        m_block = m_book.first;
        endTest();
        return m_recording;
    }
    files().removeLeftovers();
    m_voice.init();

    m_block = nextBlockToRecord(m_book.first);
    if (m_block > m_book.last) {
        endTest();
        return m_recording;
    }
    for (int n = m_block; n <= m_book.last; n = nextBlockToRecord(n + 1))
        m_totalChars += m_texts.text(n, false, xmlMarkup()).size();
    // Elapsed time is the job's wall time, preparing the first block included.
    m_startTime = now();
    prepareAndSpeak();

    m_waitingForEncoder = false;
    m_attempts = 0;
    m_lastPercent = -1;
    m_meter.start(progressStages(), elapsed());
    setTimerRunning(true);
    return true;
}

int RecordingDriver::nextBlockToRecord(int from) const
{
    if (!m_book.blocks.isEmpty()) {
        const auto next = std::lower_bound(m_book.blocks.cbegin(), m_book.blocks.cend(), from);
        return next == m_book.blocks.cend() ? m_book.last + 1 : *next;
    }
    int n = from;
    if (!m_settings.rerecordExisting)
        while (n <= m_book.last && isRecordedAlready(n))
            ++n;
    return n;
}

bool RecordingDriver::isRecordedAlready(int n) const
{
    return files().mp3Exists(n) && !spokenTextChanged(n);
}

bool RecordingDriver::spokenTextChanged(int n) const
{
    if (const auto known = m_textChanged.constFind(n); known != m_textChanged.cend())
        return *known;
    // An MP3 made before fingerprints were kept counts as done, as it
    // always did; one made from another text than the block gives now
    // (a dictionary entry changed it) is recorded again.
    bool changed = false;
    if (const auto stored = files().storedFingerprint(n)) {
        m_texts.text(n, m_settings.applyDictionaries, xmlMarkup());
        if (const auto spoken = m_texts.lastSpokenText())
            changed = textFingerprint(*spoken) != stored->text;
    }
    m_textChanged.insert(n, changed);
    return changed;
}

std::optional<BlockFingerprint> RecordingDriver::preparedFingerprint() const
{
    const auto spoken = m_texts.lastSpokenText();
    if (!spoken)
        return std::nullopt;
    return BlockFingerprint{textFingerprint(*spoken),
                            voiceFingerprint(m_settings, voiceParams(m_settings.voiceIndex), m_voice.markupKind())};
}

bool RecordingDriver::xmlMarkup() const
{
    return m_voice.markupKind() != MarkupKind::PlainText;
}

int RecordingDriver::speakFlags() const
{
    return SVSFlagsAsync | SVSFPurgeBeforeSpeak | int(m_voice.markupKind());
}

QString RecordingDriver::wavPath(int n) const
{
    return m_book.audioFolder + u'/' + files().wavFileName(n);
}

void RecordingDriver::prepareAndSpeak()
{
    m_progress.block = m_block;
    m_progress.blockOfRange =
        m_book.blocks.isEmpty() ? m_block - m_book.first + 1 : int(m_book.blocks.indexOf(m_block)) + 1;
    m_progress.blockPercent = 0;
    // Said as it begins: a short block may be over before the next look.
    m_host.showProgress(m_progress);
    const bool withDictionary = m_settings.applyDictionaries;
    m_blockText = m_texts.text(m_block, withDictionary, xmlMarkup());
    if (const QString failure = m_texts.dictionaryFailure(); !failure.isEmpty()) {
        reportDictionaryFailure(failure);
        return;
    }
    if (const auto fingerprint = preparedFingerprint())
        m_encoding->spokenFrom.insert(m_block, *fingerprint);
    else
        m_encoding->spokenFrom.remove(m_block);
    // The total counted the block without the dictionaries; the first time a
    // block is prepared the difference is put right.
    if (withDictionary && m_adjustedBlock != m_block)
        m_totalChars += m_blockText.size() - m_texts.text(m_block, false, xmlMarkup()).size();
    m_adjustedBlock = m_block;
    m_blockTextLength = m_blockText.size();
    m_blockRawLength = m_texts.rawLength(m_block);
    if (!m_voice.speakToFile(wavPath(m_block), m_blockText, speakFlags())) {
        reportWriteFailure();
        return;
    }
    waitAfterSpeak();
    writeDebugText();
    m_progressSeen = false;
    m_lastWavSize = 0;
    m_lastProgress = now();
}

void RecordingDriver::waitAfterSpeak()
{
    // The voice is given up to two seconds to get going, as it always was.
    // The encoders are looked after meanwhile: a run that ends then gets its
    // successor at once, not only when the block has been spoken, and the
    // block just finished starts encoding before this one is spoken.
    constexpr int kSpeakWaitMsecs = 2000;
    if (!m_settings.compressMp3 || !encodersHaveWork()) {
        m_voice.waitUntilDone(kSpeakWaitMsecs);
        return;
    }
    for (int waited = 0; waited < kSpeakWaitMsecs; waited += kEncoderPollMsecs) {
        compressionStep();
        if (m_abortRequest || m_voice.waitUntilDone(kEncoderPollMsecs))
            return;
    }
}

void RecordingDriver::writeDebugText() const
{
    if (!debugMode)
        return;
    const QString folder = m_programFolder + QStringLiteral("/debug");
    UserFile::writeBytes(folder + u'/' + QString::number(m_block) + QStringLiteral(".txt"),
                         Codec::encodeUserFile(m_blockText));
}

bool RecordingDriver::lockAudioFolder()
{
    // Two recordings of one book (two windows, the window and the command
    // line) would encode into and delete from the same folder; the second
    // one refuses. A lock left by a program that died is taken over.
    auto &lock = m_encoding->folderLock;
    lock = std::make_unique<QLockFile>(m_book.audioFolder + QStringLiteral("/.lectorium-recording.lock"));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return true;
    // A folder that cannot hold the lock cannot hold the WAV files either;
    // writing the first one says so in the words that fit.
    if (lock->error() != QLockFile::LockFailedError) {
        lock.reset();
        return true;
    }
    qint64 pid = 0;
    QString host;
    QString application;
    lock->getLockInfo(&pid, &host, &application);
    lock.reset();
    m_host.dialogs().show(
        {QStringLiteral("Lectorium"),
         QStringLiteral("Книгу «%1» уже записывает другая запущенная программа (процесс %2).\n"
                        "Папка «%3» занята до конца той записи. Дождитесь её окончания или остановите её.")
             .arg(m_book.name)
             .arg(pid)
             .arg(QDir::toNativeSeparators(m_book.audioFolder)),
         DialogIcon::Exclamation, DialogButtons::Ok});
    return false;
}

// ---- the tick -------------------------------------------------------------------

void RecordingDriver::tick()
{
    // A book's end may let events run (its messages, the one-file book); the
    // tick that ends it goes on afterwards, so none starts meanwhile. A look
    // queued before the end finds nothing to do.
    if (m_endingBook || !m_recording)
        return;
    setTimerRunning(false);
    // A block cut off by the user was not finished, however quiet the voice is.
    if (m_voice.waitUntilDone(99) && !m_waitingForEncoder && !m_abortRequest) {
        if (const QString failure = m_voice.failure(); !failure.isEmpty())
            reportVoiceFailure(failure);
        else
            finishBlock();
    }
    if (m_settings.compressMp3)
        compressionStep();
    finishEncodedBooks();
    if (m_abortRequest && !m_waitingForEncoder) {
        m_voice.closeStream();
        QFile::remove(wavPath(m_block));
    }
    if (endTest())
        return;
    showProgress();
    setTimerRunning(true);
    // A short block is often spoken whole within the wait after it was
    // handed to the voice: the next one starts now, not at the next look.
    if (m_voice.waitUntilDone(0))
        QMetaObject::invokeMethod(this, &RecordingDriver::lookAtVoice, Qt::QueuedConnection);
}

void RecordingDriver::setTimerRunning(bool running)
{
    if (running) {
        m_timer.start();
        m_speechPoll.start();
    } else {
        m_timer.stop();
        m_speechPoll.stop();
    }
}

void RecordingDriver::finishBlock()
{
    if (!m_voice.finishBlock()) {
        reportWriteFailure();
        return;
    }
    m_host.processEvents();
    if (m_settings.compressMp3) {
        m_encoding->queue.append({files().wavFileName(m_block), m_block});
        m_encoderPoll.start();
    }
    m_charsDone += m_blockTextLength;
    const qint64 wavSize = QFileInfo(wavPath(m_block)).size();
    m_spokenBytes += wavSize;
    ++m_blocksSpoken;
    learnCoefficient(wavSize);
    m_block = nextBlockToRecord(m_block + 1);
    if (m_block <= m_book.last && !m_stopRequest) {
        m_voice.init();
        prepareAndSpeak();
        m_attempts = 0;
    }
}

void RecordingDriver::learnCoefficient(qint64 wavSize)
{
    // A block of markers only has no characters to measure by.
    if (m_blockRawLength <= 0 || wavSize <= 0)
        return;
    const double measured = double(wavSize) / m_blockRawLength / 100;
    if (m_settings.coefficient1 == kUnmeasuredCoefficient)
        m_settings.coefficient1 = measured;
    else
        m_settings.coefficient1 = 0.8 * m_settings.coefficient1 + 0.2 * measured;
}

void RecordingDriver::compressionStep()
{
    stopOverdueEncoders();
    settleEndedRuns();
    if (!startNextEncoders())
        return;
    showEncoding();
    if (m_encoders.isBusy())
        m_encoderPoll.start();
}

bool RecordingDriver::startNextEncoders()
{
    // The books handed over come first: they are the ones a batch waits for.
    for (const auto &finishing : m_finishing)
        if (!startEncoders(*finishing))
            return false;
    return startEncoders(*m_encoding);
}

bool RecordingDriver::startEncoders(BookEncoding &encoding)
{
    while (m_encoders.hasRoom() && !encoding.queue.isEmpty()) {
        const QueuedWav next = encoding.queue.takeFirst();
        auto job = encoding.files->encoderJob(next.block);
        if (!job) {
            // A book whose speaking is over stops nothing: the block stays
            // with its WAV, reported with the others that made no MP3.
            if (&encoding != m_encoding.get()) {
                encoding.failures.append(next.block);
                continue;
            }
            reportEmptyWav(next.block);
            return false;
        }
        job->priority = m_settings.lamePriority;
        const qint64 bytes = QFileInfo(encoding.book.audioFolder + u'/' + next.fileName).size();
        if (!m_encoders.start(*job, {next.block, next.fileName, bytes, now(), encoding.id})) {
            encoding.queue.prepend(next);
            reportEncoderNotStarted(job->program, encoding);
            return false;
        }
    }
    return true;
}

BookEncoding *RecordingDriver::encodingOf(int id)
{
    if (m_encoding && m_encoding->id == id)
        return m_encoding.get();
    for (const auto &finishing : m_finishing)
        if (finishing->id == id)
            return finishing.get();
    return nullptr;
}

bool RecordingDriver::encodersHaveWork()
{
    const QList<BookEncoding *> encodings = allEncodings();
    return m_encoders.isBusy() || std::any_of(encodings.begin(), encodings.end(), [](const BookEncoding *e) {
               return !e->queue.isEmpty();
           });
}

bool RecordingDriver::hasEncoderWork(const BookEncoding &encoding) const
{
    if (!encoding.queue.isEmpty())
        return true;
    const QList<EncoderRun> runs = m_encoders.running();
    return std::any_of(runs.begin(), runs.end(), [&](const EncoderRun &run) { return run.book == encoding.id; });
}

void RecordingDriver::noteHowSpeakingEnded()
{
    m_encoding->nextBlock = m_block;
    m_encoding->stopRequest = m_stopRequest;
    m_encoding->engineFailed = m_engineFailed;
    m_encoding->filesFailed = m_filesFailed;
}

void RecordingDriver::handOverSpokenBook()
{
    // The book keeps what its end needs; the speaking state goes to the next.
    noteHowSpeakingEnded();
    m_finishing.push_back(std::move(m_encoding));
}

void RecordingDriver::finishEncodedBooks()
{
    // Taken out before it ends: what its end sets off (a dialog, the
    // one-file book) lets events run, which may look here again.
    for (;;) {
        const auto done = std::find_if(m_finishing.begin(), m_finishing.end(),
                                       [this](const auto &finishing) { return !hasEncoderWork(*finishing); });
        if (done == m_finishing.end())
            return;
        std::unique_ptr<BookEncoding> encoding = std::move(*done);
        m_finishing.erase(done);
        endBookEncoding(*encoding);
    }
}

void RecordingDriver::endBookEncoding(BookEncoding &encoding)
{
    const bool alreadyEnding = std::exchange(m_endingBook, true);
    if (!encoding.failures.isEmpty()) {
        // The blocks are reported in their order, whatever order the
        // encoders ended in.
        std::sort(encoding.failures.begin(), encoding.failures.end());
        reportEncoderFailures(encoding);
        encoding.filesFailed = true;
    }
    if (m_settings.compressMp3)
        emit bookEncoded(encoding.book);
    encoding.folderLock.reset();
    emit finished(encoding.outcome());
    m_endingBook = alreadyEnding;
}

double RecordingDriver::encoderSecondsAllowed(qint64 wavBytes)
{
    // The encoder is many times faster than real time; a run that takes a
    // minute more than the sound lasts at a byte rate below any voice's has
    // hung. The WAV stays and the block is reported with the failed ones.
    constexpr double kLowestBytesPerSecond = 16000;
    return 60 + double(wavBytes) / kLowestBytesPerSecond;
}

void RecordingDriver::stopOverdueEncoders()
{
    for (const EncoderRun &run : m_encoders.running())
        if (secondsSince(run.startedAt) > encoderSecondsAllowed(run.wavBytes))
            m_encoders.stop(run);
}

void RecordingDriver::stopAllEncoders()
{
    // What the stopped runs had written is no MP3; their WAVs stay, and the
    // blocks are recorded again next time. Books handed over are stopped
    // too: their cut-off blocks are left for a later run.
    auto cutOff = [](BookEncoding &encoding, int block) {
        encoding.firstUnencodedBlock = std::min(encoding.firstUnencodedBlock, block);
        encoding.stopRequest = true;
    };
    for (BookEncoding *encoding : allEncodings()) {
        for (const QueuedWav &queued : std::as_const(encoding->queue))
            cutOff(*encoding, queued.block);
        encoding->queue.clear();
    }
    for (const EncoderRun &run : m_encoders.stopAll())
        if (BookEncoding *encoding = encodingOf(run.book)) {
            encoding->files->discardMp3(run.block);
            cutOff(*encoding, run.block);
        }
}

void RecordingDriver::showEncoding()
{
    QStringList files;
    for (const EncoderRun &run : m_encoders.running())
        files.append(run.wavFile);
    // Looked at every 50 ms: shown only when a run began or ended.
    if (files == m_progress.encodingFiles)
        return;
    m_progress.encodingFiles = files;
    m_host.showProgress(m_progress);
}

void RecordingDriver::setApplyingDictionaries(bool applying)
{
    m_progress.applyingDictionaries = applying;
    m_host.showProgress(m_progress);
}

void RecordingDriver::settleEndedRuns()
{
    for (const EndedEncoderRun &ended : m_encoders.takeEnded())
        settleEncodedWav(ended);
}

void RecordingDriver::settleEncodedWav(const EndedEncoderRun &ended)
{
    BookEncoding *encoding = encodingOf(ended.run.book);
    if (!encoding)
        return;
    // The share done and the encoders' speed are the book being spoken's.
    if (encoding == m_encoding.get()) {
        m_encodeSeconds += secondsSince(ended.run.startedAt);
        m_encodedBytes += ended.run.wavBytes;
    }
    // The WAV goes only when its MP3 was written: a failed encoder run
    // must not cost the recording. An encoder that ran out of disk leaves a
    // short MP3, which would pass for a finished block.
    const int block = ended.run.block;
    if (ended.exitCode != 0 || !encoding->files->keepEncodedMp3(block)) {
        encoding->files->discardMp3(block);
        encoding->failures.append(block);
        return;
    }
    // Kept after the MP3 is in place: cut off in between, the new MP3 has
    // the old fingerprint and is at worst recorded once more, never
    // an old MP3 taken for the new text.
    if (const auto fingerprint = encoding->spokenFrom.constFind(block); fingerprint != encoding->spokenFrom.cend())
        encoding->files->keepFingerprint(block, *fingerprint);
    if (m_settings.deleteWav)
        QFile::remove(encoding->book.audioFolder + u'/' + ended.run.wavFile);
}

void RecordingDriver::stopWithFailure()
{
    m_filesFailed = true;
    m_stopRequest = m_abortRequest = true;
    m_voice.cancel();
}

void RecordingDriver::reportWriteFailure()
{
    // The unfinished WAV goes when the job stops; the finished blocks stay.
    m_host.dialogs().show({QStringLiteral("Lectorium"),
                           QStringLiteral("Не удалось записать аудиофайл\n\"%1\".\n"
                                          "Проверьте свободное место на диске, права на запись в папку "
                                          "и длину имени файла. Блок, звук которого длиннее 4 ГБ (около 27 "
                                          "часов), в WAV-файл не помещается: уменьшите размер блоков.\n"
                                          "Запись остановлена, готовые блоки сохранены.")
                               .arg(QDir::toNativeSeparators(wavPath(m_block))),
                           DialogIcon::Critical, DialogButtons::Ok});
    stopWithFailure();
}

void RecordingDriver::reportDictionaryFailure(const QString &failure)
{
    // Spoken without its dictionaries the block would sound wrong, and the
    // next blocks would meet the same entry: the job stops here.
    m_host.dialogs().show({QStringLiteral("Lectorium"),
                           QStringLiteral("Блок %1 не записан.\n").arg(m_block) + failure
                               + QStringLiteral("\nЗапись остановлена, готовые блоки сохранены."),
                           DialogIcon::Critical, DialogButtons::Ok});
    stopWithFailure();
}

void RecordingDriver::reportEncoderNotStarted(const QString &program, BookEncoding &encoding)
{
    // Every block would fail the same way: the job stops at once, and the
    // WAVs waiting for the encoder stay where they are, those of a book
    // handed over too.
    for (BookEncoding *each : allEncodings()) {
        for (const QueuedWav &queued : std::as_const(each->queue))
            each->firstUnencodedBlock = std::min(each->firstUnencodedBlock, queued.block);
        each->queue.clear();
    }
    encoding.filesFailed = true;
    m_host.dialogs().show(
        {QStringLiteral("Lectorium"),
         QStringLiteral("Не удалось запустить программу сжатия в MP3\n\"%1\".\n"
                        "Установите LAME (пакет lame) или положите программу lame в папку "
                        "программы.\nЗапись остановлена, WAV-файлы сохранены в папке\n\"%2\".")
             .arg(QDir::toNativeSeparators(program), QDir::toNativeSeparators(encoding.book.audioFolder)),
         DialogIcon::Critical, DialogButtons::Ok});
    stopWithFailure();
}

void RecordingDriver::reportEncoderFailures(const BookEncoding &encoding)
{
    QStringList blocks;
    for (const int block : encoding.failures)
        blocks.append(QString::number(block));
    m_host.dialogs().show(
        {QStringLiteral("Lectorium"),
         QStringLiteral("LAME не создал MP3-файлы блоков %1.\n"
                        "Их WAV-файлы оставлены в папке\n\"%2\".\n"
                        "Проверьте параметры LAME в настройках и свободное место на диске.")
             .arg(blocks.join(QStringLiteral(", ")), QDir::toNativeSeparators(encoding.book.audioFolder)),
         DialogIcon::Exclamation, DialogButtons::Ok});
}

void RecordingDriver::reportEmptyWav(int block)
{
    // A block file that is empty or gone (a damaged project) has nothing to
    // say: that is no fault of the engine.
    if (m_texts.rawLength(block) == 0) {
        m_host.dialogs().show({QStringLiteral("Пустой блок"),
                               QStringLiteral("В блоке %1 нет текста: его файл пуст или пропал из папки книги.\n"
                                              "Запись остановлена.")
                                   .arg(block),
                               DialogIcon::Critical, DialogButtons::Ok});
        stopWithFailure();
        return;
    }
    // An empty WAV means the speech engine failed; the job stops here and
    // keeps everything recorded so far.
    m_host.dialogs().show({QStringLiteral("Пустой аудиофайл."),
                           QStringLiteral("Ошибка при записи аудиофайла. Вероятно, завис речевой движок :-(\n"
                                          "Необходимо перезапустить программу и, возможно, вручную завершить "
                                          "программу синтеза речи голоса Speech Cube..."),
                           DialogIcon::Critical, DialogButtons::Ok});
    m_engineFailed = true;
    m_stopRequest = m_abortRequest = true;
    m_voice.cancel();
}

bool RecordingDriver::endTest()
{
    const bool ends = m_block > m_book.last || m_abortRequest || (m_stopRequest && m_voice.waitUntilDone(100));
    if (!ends)
        return false;
    const bool announce = !m_waitingForEncoder && !m_stopRequest && !m_abortRequest;
    m_waitingForEncoder = true;
    settleEndedRuns();
    finishEncodedBooks();
    // The book ends after the books handed over before it.
    if (hasEncoderWork(*m_encoding) || !m_finishing.empty()) {
        showWaitingForEncoder();
        setTimerRunning(true);
        // Last: a batch may start its next book from here.
        if (announce)
            emit bookSpoken(m_book);
        return true;
    }
    m_recording = false;
    setTimerRunning(false);
    noteHowSpeakingEnded();
    // A book whose every stage is done says 100 %; one with a one-file book
    // still to make says it once that is made.
    if (m_encoding->recordedWhole() && !m_meter.hasAssembly())
        m_host.showProgress(finishedProgress());
    endBookEncoding(*m_encoding);
    return true;
}

// ---- progress and stalls ---------------------------------------------------------

StageWork RecordingDriver::stageWork(qint64 spokenChars) const
{
    StageWork work;
    work.totalChars = m_totalChars;
    work.spokenChars = spokenChars;
    work.finishedChars = m_charsDone;
    work.spokenBytes = m_spokenBytes;
    work.finishedBlocks = m_blocksSpoken;
    work.speakingOver = m_waitingForEncoder;
    work.encodedBytes = m_encodedBytes;
    work.encodingSeconds = m_encodeSeconds;
    for (const EncoderRun &run : m_encoders.running())
        if (run.book == m_encoding->id)
            work.runs.append({run.wavBytes, secondsSince(run.startedAt)});
    return work;
}

void RecordingDriver::lookAtProgress(qint64 spokenChars)
{
    const ProgressReading reading = m_meter.look(stageWork(spokenChars), elapsed(), m_paused);
    m_progress.bookPercent = reading.percent;
    m_progress.remainingSeconds = reading.remainingSeconds;
}

ProgressStages RecordingDriver::progressStages() const
{
    // Seconds of assembly per byte of WAV sound: the M4B is encoded once
    // more (about a minute for two hours of sound on a small machine); an
    // MP3 book only has its frames copied.
    constexpr double kM4bSecondsPerByte = 135.0 / (8460 * 44100);
    constexpr double kMp3BookSecondsPerByte = 12.0 / (36000 * 44100);
    ProgressStages stages;
    stages.encoding = m_settings.compressMp3;
    stages.assembly = m_settings.compressMp3 && m_settings.audiobookFormat != AudiobookFormat::BlockMp3;
    stages.encoderJobs = m_encoders.jobs();
    stages.assemblySecondsPerByte =
        m_settings.audiobookFormat == AudiobookFormat::M4bBook ? kM4bSecondsPerByte : kMp3BookSecondsPerByte;
    return stages;
}

RecordingProgress RecordingDriver::assemblyProgress(double share, double seconds)
{
    StageWork work = stageWork(m_totalChars);
    work.assemblyShare = share;
    work.assemblySeconds = seconds;
    m_progress.phase = RecordingPhase::Assembling;
    return progressAfterTheBlocks(m_meter.look(work, elapsed(), false));
}

RecordingProgress RecordingDriver::finishedProgress()
{
    return progressAfterTheBlocks(m_meter.finish());
}

RecordingProgress RecordingDriver::progressAfterTheBlocks(const ProgressReading &reading)
{
    m_progress.bookPercent = reading.percent;
    m_progress.remainingSeconds = reading.remainingSeconds;
    m_progress.elapsedSeconds = elapsed();
    m_progress.encodingFiles.clear();
    return m_progress;
}

void RecordingDriver::showWaitingForEncoder()
{
    // The clock, the share and the estimate go on while the encoder finishes.
    const double sinceStart = elapsed();
    m_progress.phase = RecordingPhase::WaitingForEncoder;
    lookAtProgress(m_totalChars);
    m_progress.blockPercent = 100;
    m_progress.elapsedSeconds = sinceStart;
    m_progress.paused = m_paused;
    m_host.showProgress(m_progress);
}

void RecordingDriver::showProgress()
{
    const double sinceStart = elapsed();
    double overall = 0;
    double blockPercent = 0;
    bool stalled = true;
    if (m_settings.followEngine) {
        const double position = m_voice.sentencePosition() + m_voice.sentenceLength();
        overall = m_totalChars > 0 ? (m_charsDone + position) / m_totalChars * 100 : 0;
        blockPercent = m_blockTextLength > 0 ? std::clamp(position / m_blockTextLength * 100, 0.0, 100.0) : 0;
        if (m_host.windowIsNormal() && overall != m_lastPercent) {
            m_progressSeen = true;
            m_lastProgress = now();
            m_lastPercent = overall;
            stalled = false;
        }
    } else {
        const qint64 size = QFileInfo(wavPath(m_block)).size();
        // The coefficient is learnt as the book goes, so the share of a
        // block can pass 100 before it is learnt; it never counts for more.
        if (m_blockRawLength > 0 && m_settings.coefficient1 > 0)
            blockPercent = std::min(100.0, double(size) / m_blockRawLength / m_settings.coefficient1);
        if (size != m_lastWavSize) {
            m_lastWavSize = size;
            m_lastProgress = now();
        }
        overall = m_totalChars > 0 ? (m_charsDone + m_blockTextLength * blockPercent / 100) / m_totalChars * 100 : 0;
    }
    m_progress.phase = RecordingPhase::Speaking;
    lookAtProgress(std::clamp(qint64(overall / 100 * m_totalChars), m_charsDone, m_totalChars));
    m_progress.blockPercent = std::clamp(blockPercent, 0.0, 100.0);
    m_progress.elapsedSeconds = sinceStart;
    m_progress.paused = m_paused;
    m_progress.stopAfterBlock = m_stopRequest;
    m_host.showProgress(m_progress);
    if (stalled)
        stallCheck();
}

void RecordingDriver::stallCheck()
{
    double silent = now() - m_lastProgress;
    if (silent < 0)
        silent += kSecondsPerDay;
    if (silent <= stallSeconds || m_paused)
        return;
    m_lastProgress = now();
    ++m_attempts;
    if (m_settings.attempts > 0 && m_attempts > m_settings.attempts)
        reportAndStop();
    else
        restartEngine();
}

void RecordingDriver::restartEngine()
{
    auto step = [this](const QString &what) {
        if (debugMode)
            m_host.dialogs().show({QStringLiteral("Lectorium"), what, DialogIcon::Information, DialogButtons::Ok});
    };
    m_voice.cancel();
    step(QStringLiteral("Перезапуск голосового движка"));
    m_host.restartSpeechProgram(false);
    m_host.processEvents();
    m_clock.pauseFor(restartPauseMsecs);
    if (m_settings.highPriority)
        m_host.restartSpeechProgram(true);
    m_host.processEvents();
    m_clock.pauseFor(restartPauseMsecs);
    m_voice.init();
    step(QStringLiteral("Голосовой движок создан заново"));
    QFile::remove(wavPath(m_block));
    m_clock.pauseFor(rewritePauseMsecs);
    prepareAndSpeak();
    step(QStringLiteral("Блок %1 записывается заново").arg(m_block));
}

void RecordingDriver::writeErrorReport(const QString &cause)
{
    const QString sentence = m_blockText.mid(m_voice.sentencePosition(), m_voice.sentenceLength());
    QStringList report = {QStringLiteral("Lectorium v" LECTORIUM_VERSION),
                          QStringLiteral("Прошло времени с начала записи: ") + formatDuration(elapsed())};
    if (!cause.isEmpty())
        report += UserFile::splitLines(cause);
    report += {QStringLiteral("Читаемый текст:"), QStringLiteral("---------------"), sentence,
               QStringLiteral("---------------")};
    UserFile::writeBytes(m_programFolder + QStringLiteral("/ERROR.TXT"),
                         Codec::encodeUserFile(report.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void RecordingDriver::reportVoiceFailure(const QString &failure)
{
    // A program that fails once fails the same way again: no restarts.
    writeErrorReport(failure);
    m_host.dialogs().show({QStringLiteral("Lectorium"),
                           failure
                               + QStringLiteral("\n\nЗапись книги остановлена на блоке %1, готовые блоки "
                                                "сохранены. Сгенерирован отчет ERROR.TXT")
                                     .arg(m_block),
                           DialogIcon::Critical, DialogButtons::Ok});
    m_engineFailed = true;
    m_stopRequest = m_abortRequest = true;
}

void RecordingDriver::reportAndStop()
{
    writeErrorReport(QString());
    m_host.dialogs().show({QStringLiteral("Lectorium"),
                           QStringLiteral("Голосовой движок работает нестабильно!\nБыло предпринято %1 неудачных "
                                          "попыток записать текущий блок текста.\nЗапись книги остановлена, "
                                          "сгенерирован отчет ERROR.TXT")
                               .arg(m_settings.attempts),
                           DialogIcon::Exclamation, DialogButtons::Ok});
    m_engineFailed = true;
    m_stopRequest = m_abortRequest = true;
}

double RecordingDriver::now() const
{
    return m_clock.secondsOfDay();
}

double RecordingDriver::secondsSince(double secondOfDay) const
{
    // Midnight may have passed since then.
    const double seconds = now() - secondOfDay;
    return seconds < 0 ? seconds + kSecondsPerDay : seconds;
}

QList<BookEncoding *> RecordingDriver::allEncodings()
{
    QList<BookEncoding *> encodings;
    for (const auto &finishing : m_finishing)
        encodings.append(finishing.get());
    if (m_encoding)
        encodings.append(m_encoding.get());
    return encodings;
}

double RecordingDriver::elapsed()
{
    double e = now() - m_startTime;
    if (e < 0) {
        // Midnight has passed since the start.
        m_startTime -= kSecondsPerDay;
        e += kSecondsPerDay;
    }
    return e;
}

// ---- the user's commands -----------------------------------------------------------

void RecordingDriver::pauseRecording()
{
    if (m_paused)
        m_voice.resume();
    else
        m_voice.pause();
    m_paused = !m_paused;
    m_host.showPaused(m_paused);
    m_lastProgress = now();
}

void RecordingDriver::stopAfterBlock()
{
    // Asked when the recording had already ended, or had nothing left to speak.
    if (!m_recording || m_waitingForEncoder)
        return;
    m_stopRequest = true;
    if (m_paused)
        pauseRecording();
}

void RecordingDriver::stopNow()
{
    if (!m_recording)
        return;
    // Now means the encoders too, even when only they were left.
    stopAllEncoders();
    if (m_waitingForEncoder) {
        m_stopRequest = true;
        return;
    }
    if (m_paused)
        m_voice.resume();
    m_paused = false;
    m_stopRequest = m_abortRequest = true;
    m_voice.cancel();
}

void RecordingDriver::cancelStop()
{
    m_stopRequest = m_abortRequest = false;
}
