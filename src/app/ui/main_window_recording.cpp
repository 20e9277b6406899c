// The main window's side of a recording: the start/pause and stop buttons,
// closing during a recording, and what the job shows and asks through the
// window.

#include "app/ui/main_window.h"

#include "app/session/recording_session.h"
#include "app/ui/main_toolbar.h"
#include "app/ui/tray_control.h"
#include "options/ui/options_dialog.h"
#include "options/ui/shutdown_window.h"
#include "recording/progress_texts.h"
#include "recording/speech_program.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStyle>
#include <QUrl>

bool MainWindow::isRecording() const
{
    return m_session && m_session->job().isRunning();
}

void MainWindow::startOrPause()
{
    if (isRecording())
        m_session->job().pauseOrResume();
    else
        m_session->job().startRecording();
}

void MainWindow::stopRecording()
{
    if (isRecording())
        m_session->job().askToStop();
}

bool MainWindow::closeWhileRecording()
{
    const DialogAnswer answer =
        m_dialogs->show({QStringLiteral("Выход"), QStringLiteral("Идёт запись книги!\nДействительно хотите выйти?"),
                         DialogIcon::Exclamation, DialogButtons::YesNo});
    if (answer != DialogAnswer::Yes)
        return false;
    m_exitRequested = true;
    showStatus(StatusPanel::Activity, QStringLiteral("Завершение программы..."));
    m_afterFinishChoice->setEnabled(false);
    m_session->job().exitWhenStopped();
    return true;
}

UserDialogs &MainWindow::dialogs()
{
    return *m_dialogs;
}

namespace {

// The panel's text, and its tooltip naming the panel with the whole text,
// which a narrow panel may cut short.
void setPanelText(QLabel *panel, const QString &text)
{
    panel->setText(text);
    const QString role = panel->property("roleTip").toString();
    panel->setToolTip(text.isEmpty() ? role : role.isEmpty() ? text : role + QStringLiteral(": ") + text);
}

} // namespace

void MainWindow::showStatus(StatusPanel panel, const QString &text)
{
    setPanelText(m_panels[int(panel) - 1], text);
}

void MainWindow::showProgress(const RecordingProgress &progress)
{
    followRecordingInLibrary(progress);
    ProgressDisplay shown = progressDisplay(progress, m_settings.percentInTitle);
    if (m_exitRequested && !progress.ended())
        shown.panel(StatusPanel::Activity) = progress.phase == RecordingPhase::WaitingForEncoder
                                                 ? QStringLiteral("Завершение программы: ожидание сжатия в MP3")
                                                 : QStringLiteral("Завершение программы: остановка записи");
    for (int panel = 0; panel < kStatusPanelCount; ++panel)
        if (shown.panels[panel])
            setPanelText(m_panels[panel], *shown.panels[panel]);
    if (shown.bookBar)
        m_bookProgressBar->setValue(*shown.bookBar);
    if (shown.blockBar)
        m_blockProgressBar->setValue(*shown.blockBar);
    if (shown.title) {
        setWindowTitle(*shown.title);
        // The tray names the program again once the job is over.
        m_tray->setToolTip(progress.ended() ? QStringLiteral("Lectorium") : *shown.title);
    }
}

void MainWindow::showPaused(bool paused)
{
    QAction *button = m_toolbar->button(ToolbarButton::Record);
    button->setIcon(style()->standardIcon(paused ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
    button->setToolTip(paused ? QStringLiteral("Продолжить запись книги")
                              : QStringLiteral("Приостановить запись книги"));
}

bool MainWindow::windowIsNormal() const
{
    return windowState() == Qt::WindowNoState;
}

void MainWindow::processEvents()
{
    QCoreApplication::processEvents();
}

void MainWindow::restartSpeechProgram(bool start)
{
    if (start)
        setProgramPriority(m_settings, m_speechProgram);
    else
        m_speechProgram.terminate();
}

RecordedBook MainWindow::selectedBook()
{
    if (!m_blocksToRecord.isEmpty())
        return {currentBook(),           QString(),       m_blockCount, m_blocksToRecord.first(),
                m_blocksToRecord.last(), m_blocksToRecord};
    return {currentBook(), QString(), m_blockCount, m_range.first, m_range.last, {}};
}

bool MainWindow::rerecordBlocks(const QString &book, const QList<int> &blocks)
{
    auto refuse = [this](const QString &why) {
        m_dialogs->show({QStringLiteral("Lectorium"), why, DialogIcon::Information, DialogButtons::Ok});
        return false;
    };
    if (isRecording())
        return refuse(QStringLiteral("Идёт запись. Перезапишите блоки, когда она закончится."));
    if (batchMode())
        return refuse(QStringLiteral("Включена пакетная обработка. Выключите её, чтобы перезаписать блоки книги."));
    if (blocks.isEmpty() || !selectBook(book))
        return false;
    // The job asks for the book at once, as it starts.
    m_blocksToRecord = blocks;
    const bool started = m_session->job().startRecording();
    m_blocksToRecord.clear();
    return started;
}

bool MainWindow::batchMode() const
{
    return m_batchProcessing->isChecked();
}

bool MainWindow::selectFirstBatchBook()
{
    saveBatch(batchFilePath(m_programFolder), batchEntries());
    for (int i = 0; i < m_batchList->count(); ++i) {
        if (m_batchList->item(i)->isSelected()) {
            m_libraryList->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void MainWindow::untickBatchBook(const QString &book)
{
    setBatchBookTicked(book, false);
}

void MainWindow::tickBatchBook(const QString &book)
{
    setBatchBookTicked(book, true);
}

void MainWindow::setBatchBookTicked(const QString &book, bool ticked)
{
    for (int i = 0; i < m_batchList->count(); ++i)
        if (m_batchList->item(i)->text() == book)
            m_batchList->item(i)->setSelected(ticked);
}

void MainWindow::setRange(const QString &book, int first, int last)
{
    if (book == currentBook() && m_blockCount > 0)
        acceptRange({std::clamp(first, 1, m_blockCount), std::clamp(last, 1, m_blockCount)});
    else
        writeRange(bookFolder(m_programFolder, book), {first, last});
}

void MainWindow::showRecording(bool recording)
{
    if (m_options)
        m_options->setRecording(recording);
    if (recording)
        disableControlsWhileSpeaking();
    else
        enableControlsAfterSpeaking();
    m_afterFinishChoice->setEnabled(true);
    QAction *button = m_toolbar->button(ToolbarButton::Record);
    button->setIcon(style()->standardIcon(recording ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    button->setToolTip(recording ? QStringLiteral("Приостановить запись книги")
                                 : QStringLiteral("Начать запись книги"));
    m_toolbar->setButtonEnabled(ToolbarButton::Record, true);
}

void MainWindow::reloadDictionaries()
{
    m_session->reloadDictionaries();
}

void MainWindow::openFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::exitProgram()
{
    // The job is over, so closing goes the ordinary way: settings, batch, exit.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

bool MainWindow::switchOff()
{
    restoreWindow();
    ShutdownWindow countdown(requestSystemPowerOff, this);
    return countdown.exec() == QDialog::Accepted;
}

void MainWindow::restoreWindow()
{
    showNormal();
    raise();
    activateWindow();
}
