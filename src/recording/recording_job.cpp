#include "recording/recording_job.h"

#include "recording/progress_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <utility>

const QString kNoVoicesMessage = QStringLiteral("Голоса синтезатора речи не найдены (нужен пакет espeak-ng-data).");

namespace {

// A job the driver stopped because of a fault was not stopped by the user,
// though it ends the same way.
RecordingPhase endPhase(const RecordingOutcome &outcome)
{
    if (outcome.engineFailed || outcome.filesFailed)
        return RecordingPhase::Failed;
    return outcome.stoppedByUser ? RecordingPhase::Stopped : RecordingPhase::Finished;
}

// A batch ends finished when no ticked book is left, else as its last book.
RecordingPhase batchEndPhase(const RecordingOutcome &outcome, bool booksLeft)
{
    if (!booksLeft)
        return RecordingPhase::BatchFinished;
    if (outcome.stopRequested && !outcome.stoppedByUser)
        return RecordingPhase::Stopped;
    return endPhase(outcome);
}

bool failed(const RecordingOutcome &outcome)
{
    return outcome.engineFailed || outcome.filesFailed;
}

} // namespace

qint64 RecordingJobHost::freeBytes(const QString &folder) const
{
    // The folder may not exist yet: its nearest existing parent is asked.
    QString existing = QDir::cleanPath(QDir(folder).absolutePath());
    while (!QFileInfo::exists(existing) && existing != QDir::rootPath())
        existing = QFileInfo(existing).absolutePath();
    return QStorageInfo(existing).bytesAvailable();
}

RecordingJob::RecordingJob(Settings &settings, RecordingDriver &driver, RecordingJobHost &host, QObject *parent)
    : QObject(parent), m_settings(settings), m_driver(driver), m_host(host)
{
    connect(&m_driver, &RecordingDriver::finished, this, &RecordingJob::endRecording);
    connect(&m_driver, &RecordingDriver::bookSpoken, this, &RecordingJob::continueWithNextBook);
}

bool RecordingJob::diskAndFolderReady()
{
    const QString output = m_settings.outputFolder;
    for (;;) {
        const qint64 megabytes = m_host.freeBytes(output) / 1048576;
        if (megabytes >= kMinimumFreeMegabytes)
            break;
        const DialogAnswer answer = m_host.dialogs().show(
            {QStringLiteral("Lectorium"),
             QStringLiteral("Для нормальной работы программе требуется не менее 300 мегабайт несжатого свободного "
                            "места на диске.\nСейчас на диске %1 свободно %2 мегабайт.")
                 .arg(QDir::toNativeSeparators(output))
                 .arg(megabytes),
             DialogIcon::Exclamation, DialogButtons::AbortRetryIgnore});
        if (answer == DialogAnswer::Ignore)
            break;
        if (answer != DialogAnswer::Retry)
            return false;
    }
    if (output.isEmpty() || !QDir().mkpath(output)) {
        m_host.dialogs().show({QStringLiteral("Lectorium"),
                               QStringLiteral("Неправильно указан рабочий каталог!\nПроверьте настройки..."),
                               DialogIcon::Critical, DialogButtons::Ok});
        return false;
    }
    return true;
}

bool RecordingJob::startRecording()
{
    if (voicesInstalled && !voicesInstalled()) {
        m_host.dialogs().show({QStringLiteral("Lectorium"), kNoVoicesMessage + QStringLiteral("\nЗапись невозможна."),
                               DialogIcon::Critical, DialogButtons::Ok});
        return false;
    }
    if (const QString problem = m_driver.voiceProblem(); !problem.isEmpty()) {
        m_host.dialogs().show({QStringLiteral("Lectorium"), problem + QStringLiteral("\nЗапись невозможна."),
                               DialogIcon::Critical, DialogButtons::Ok});
        return false;
    }
    if (!diskAndFolderReady())
        return false;
    m_host.reloadDictionaries();
    m_host.showRecording(true);
    m_running = true;
    m_handedOver.clear();
    m_startingNext = m_batchOver = m_booksLeft = false;
    m_earlier = RecordingOutcome();
    if (m_host.batchMode() && !m_host.selectFirstBatchBook()) {
        m_running = false;
        m_host.showRecording(false);
        return false;
    }
    return startSelectedBook();
}

bool RecordingJob::startNextBatchBook()
{
    if (!diskAndFolderReady())
        return false;
    m_host.reloadDictionaries();
    return startSelectedBook();
}

bool RecordingJob::startSelectedBook()
{
    m_book = m_host.selectedBook();
    m_book.audioFolder = m_settings.outputFolder + u'/' + m_book.name;
    if (prepareBook)
        prepareBook(m_book);
    // A range that ends at once still goes through endRecording.
    m_driver.startSingle(m_book);
    return true;
}

void RecordingJob::exitWhenStopped()
{
    // The recording may have ended while the question was open: nothing to
    // wait for then.
    if (!m_running) {
        m_host.exitProgram();
        return;
    }
    m_exitWhenStopped = true;
    m_driver.stopNow();
}

void RecordingJob::askToStop()
{
    if (!m_running)
        return;
    UserDialogs &dialogs = m_host.dialogs();
    if (m_assembling && !m_driver.isRecording()) {
        const DialogAnswer answer = dialogs.show(
            {QStringLiteral("Lectorium"),
             QStringLiteral("Все блоки записаны, идёт сборка аудиокниги в один файл.\nПрервать сборку? MP3-файлы "
                            "блоков сохранятся, книга соберётся при следующей записи."),
             DialogIcon::Question, DialogButtons::YesNo});
        if (answer == DialogAnswer::Yes && m_running && m_assembling)
            m_cancelAssembly = true;
        return;
    }
    if (m_driver.isWaitingForEncoder()) {
        const DialogAnswer answer =
            dialogs.show({QStringLiteral("Lectorium"),
                          QStringLiteral("Все блоки уже озвучены, идёт сжатие в MP3.\nПрервать сжатие? Блоки, которые "
                                         "не успеют сжаться, будут записаны при следующей записи."),
                          DialogIcon::Question, DialogButtons::YesNo});
        if (answer == DialogAnswer::Yes && m_running)
            m_driver.stopNow();
        return;
    }
    const DialogAnswer answer =
        dialogs.show({QStringLiteral("Lectorium"), QStringLiteral("Дождаться завершения записи текущего блока?"),
                      DialogIcon::Question, DialogButtons::YesNoCancel});
    // The job may have ended, or reached its encoders, while the question
    // was open: only "stop now" still has something to stop then.
    if (!m_running)
        return;
    if (answer == DialogAnswer::Yes)
        m_driver.stopAfterBlock();
    else if (answer == DialogAnswer::No)
        m_driver.stopNow();
    else
        m_driver.cancelStop();
}

void RecordingJob::pauseOrResume()
{
    if (!m_running)
        return;
    if (!m_driver.isPaused() && (m_driver.isWaitingForEncoder() || !m_driver.isRecording())) {
        m_host.dialogs().show(
            {QStringLiteral("Lectorium"),
             QStringLiteral("Все блоки уже озвучены: приостанавливать нечего, идёт %1.\nЧтобы "
                            "прервать, нажмите «Остановить запись книги».")
                 .arg(m_assembling ? QStringLiteral("сборка аудиокниги") : QStringLiteral("сжатие в MP3")),
             DialogIcon::Information, DialogButtons::Ok});
        return;
    }
    m_driver.pauseRecording();
}

void RecordingJob::continueWithNextBook(const RecordedBook &spoken)
{
    if (!m_host.batchMode() || m_exitWhenStopped || m_batchOver)
        return;
    // Its end comes later, told apart by its name; spoken whole, it leaves
    // the batch now, so the next ticked book is the one to start.
    m_handedOver.append(spoken.name);
    m_host.untickBatchBook(spoken.name);
    m_startingNext = true;
    m_booksLeft = m_host.selectFirstBatchBook();
    const bool started = m_booksLeft && startNextBatchBook();
    m_startingNext = false;
    if (started)
        return;
    m_batchOver = true;
    // The checks let events run: the spoken book may have ended meanwhile,
    // and nothing else would end the job then.
    if (!m_driver.isRecording())
        endJob(m_earlier, batchEndPhase(m_earlier, m_booksLeft));
}

void RecordingJob::endRecording(const RecordingOutcome &driverOutcome)
{
    RecordingOutcome outcome = driverOutcome;
    const RecordedBook book = outcome.book;
    m_assembling = true;
    m_cancelAssembly = false;
    if (finishBook && !finishBook(book, outcome))
        outcome.filesFailed = true;
    m_assembling = false;
    // Stopping the one-file book stops the job: a batch goes no further.
    if (std::exchange(m_cancelAssembly, false)) {
        outcome.stoppedByUser = outcome.stopRequested = true;
        m_batchOver = true;
    }
    // The next job continues where this one stopped: within the range the
    // user chose when it was cut short, on to the end of the book when the
    // range was recorded whole.
    // Blocks recorded again by their list leave the user's range alone.
    const bool rangeDone = !outcome.stoppedByUser && !failed(outcome) && outcome.currentBlock >= book.last;
    if (book.blocks.isEmpty())
        m_host.setRange(book.name, outcome.currentBlock, rangeDone ? std::max(book.last, book.blockCount) : book.last);
    // A book handed over ends while the next one is spoken, maybe paused.
    if (m_handedOver.removeOne(book.name)) {
        endHandedOverBook(outcome);
        return;
    }
    m_host.showPaused(false);
    // The books handed over before this one have all ended.
    outcome.stoppedByUser |= m_earlier.stoppedByUser;
    outcome.engineFailed |= m_earlier.engineFailed;
    outcome.filesFailed |= m_earlier.filesFailed;

    if (m_host.batchMode() && !outcome.stoppedByUser && !m_exitWhenStopped) {
        m_host.untickBatchBook(book.name);
        const bool booksLeft = m_host.selectFirstBatchBook();
        // Each next book goes through the same checks as the first.
        if (booksLeft && !outcome.stopRequested && !failed(outcome) && !m_batchOver && startNextBatchBook())
            return;
        endJob(outcome, batchEndPhase(outcome, booksLeft));
        return;
    }
    endJob(outcome, endPhase(outcome));
}

void RecordingJob::endHandedOverBook(const RecordingOutcome &outcome)
{
    // A stop that cut its encoding short leaves it in the batch.
    if (outcome.stoppedByUser)
        m_host.tickBatchBook(outcome.book.name);
    m_earlier.stoppedByUser |= outcome.stoppedByUser;
    m_earlier.engineFailed |= outcome.engineFailed;
    m_earlier.filesFailed |= outcome.filesFailed;
    m_earlier.stopRequested |= outcome.stopRequested;
    // A fault in an earlier book lets the book being spoken finish, but no
    // further one begins.
    if (failed(outcome))
        m_batchOver = true;
    if (m_startingNext || m_driver.isRecording())
        return;
    // No next book was started: the job ends with this one.
    endJob(m_earlier, batchEndPhase(m_earlier, m_booksLeft));
}

void RecordingJob::endJob(const RecordingOutcome &outcome, RecordingPhase phase)
{
    m_host.showRecording(false);
    showEnd(phase);
    const JobResult result{outcome.stoppedByUser, outcome.engineFailed, outcome.filesFailed, m_book.audioFolder};
    const QString folder = phase == RecordingPhase::BatchFinished ? m_settings.outputFolder : m_book.audioFolder;
    commonEnd(endMessage(phase, outcome) + QStringLiteral("\nОткрыть папку с аудиофайлами?"), folder, result);
}

QString RecordingJob::endMessage(RecordingPhase phase, const RecordingOutcome &outcome) const
{
    const QString batch = m_host.batchMode() ? QStringLiteral("Пакетная запись книг") : QStringLiteral("Запись");
    // A batch that ends with a book handed over knows no single next block.
    const QString next = outcome.book.name.isEmpty() || outcome.currentBlock <= 0
                             ? QString()
                             : QStringLiteral(" Следующая запись книги «%1» начнётся с блока %2.")
                                   .arg(outcome.book.name)
                                   .arg(outcome.currentBlock);
    switch (phase) {
    case RecordingPhase::BatchFinished: return QStringLiteral("Запись книг окончена.");
    case RecordingPhase::Stopped: return batch + QStringLiteral(" остановлена.") + next;
    case RecordingPhase::Failed: return batch + QStringLiteral(" остановлена из-за ошибки.") + next;
    default: return QStringLiteral("Запись выбранных блоков окончена.");
    }
}

void RecordingJob::showEnd(RecordingPhase phase)
{
    RecordingProgress end = m_driver.progress();
    end.phase = phase;
    end.book = m_book.name;
    end.bookPercent = end.blockPercent = 0;
    end.encodingFiles.clear();
    end.applyingDictionaries = end.paused = end.stopAfterBlock = false;
    if (phase == RecordingPhase::BatchFinished)
        end.remainingSeconds = 0;
    m_host.showProgress(end);
}

void RecordingJob::commonEnd(const QString &message, const QString &folder, const JobResult &result)
{
    m_running = false;
    emit jobEnded(result);
    if (m_exitWhenStopped) {
        m_host.exitProgram();
        return;
    }
    // Exit and switch-off leave nobody to ask; whenever the program stays
    // running (nothing chosen, the message chosen, a cancelled switch-off)
    // the message is asked.
    if (afterFinish == AfterFinish::Exit) {
        m_host.exitProgram();
        return;
    }
    if (afterFinish == AfterFinish::SwitchOff && m_host.switchOff())
        return;
    m_host.restoreWindow();
    m_host.processEvents();
    if (m_host.dialogs().show({QStringLiteral("Lectorium"), message, DialogIcon::Question, DialogButtons::YesNo})
        == DialogAnswer::Yes)
        m_host.openFolder(folder);
}
