// The main window's side of a recording: the start/pause and stop buttons,
// closing during a recording, and what the job shows and asks through the
// window.

#include "form1.h"

#include "app/ui/main_toolbar.h"
#include "app/ui/tray_control.h"
#include "options/ui/frm_options.h"
#include "options/ui/shutdown_window.h"
#include "recording/recording_session.h"
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

bool Form1::isRecording() const
{
    return m_session && m_session->job().isRunning();
}

void Form1::startOrPause()
{
    if (isRecording())
        m_session->driver().PauseRec();
    else
        m_session->job().StartRec();
}

void Form1::Stoprec()
{
    if (!isRecording())
        return;
    const DialogAnswer answer = m_dialogs->show({QStringLiteral("Lectorium"),
                                                 QStringLiteral("Дождаться завершения записи текущего блока?"),
                                                 DialogIcon::Question, DialogButtons::YesNoCancel});
    if (answer == DialogAnswer::Yes)
        m_session->driver().stopAfterBlock();
    else if (answer == DialogAnswer::No)
        m_session->driver().stopNow();
    else
        m_session->driver().cancelStop();
}

bool Form1::closeWhileRecording()
{
    const DialogAnswer answer = m_dialogs->show({QStringLiteral("Выход"),
                                                 QStringLiteral("Идёт запись книги!\nДействительно хотите выйти?"),
                                                 DialogIcon::Exclamation, DialogButtons::YesNo});
    if (answer != DialogAnswer::Yes)
        return false;
    showStatus(1, QStringLiteral("Завершение программы..."));
    m_combo1->setEnabled(false);
    m_session->job().exitWhenStopped();
    return true;
}

UserDialogs &Form1::dialogs()
{
    return *m_dialogs;
}

void Form1::showStatus(int panel, const QString &text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

void Form1::showProgress(double bookPercent, double blockPercent)
{
    m_progressBar1->setValue(int(bookPercent));
    m_progressBar2->setValue(int(blockPercent));
}

void Form1::showTitle(const QString &title)
{
    setWindowTitle(title);
    m_tray->setToolTip(title);
}

void Form1::showPaused(bool paused)
{
    QAction *button = m_toolbar->button(5);
    button->setIcon(style()->standardIcon(paused ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
    button->setToolTip(paused ? QStringLiteral("Продолжить запись книги") : QStringLiteral("Приостановить запись книги"));
}

bool Form1::windowIsNormal() const
{
    return windowState() == Qt::WindowNoState;
}

void Form1::processEvents()
{
    QCoreApplication::processEvents();
}

void Form1::restartSpeechProgram(bool start)
{
    if (start)
        SetMyPrior(m_settings, m_speechProgram);
    else
        m_speechProgram.terminate();
}

RecordedBook Form1::selectedBook()
{
    return {currentBook(), QString(), m_blockCount, m_range.first, m_range.last};
}

bool Form1::batchMode() const
{
    return m_check1->isChecked();
}

bool Form1::selectFirstBatchBook()
{
    SaveBatch(batchFilePath(m_programFolder), batchEntries());
    for (int i = 0; i < m_list3->count(); ++i) {
        if (m_list3->item(i)->isSelected()) {
            m_list1->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void Form1::untickBatchBook(const QString &book)
{
    for (int i = 0; i < m_list3->count(); ++i)
        if (m_list3->item(i)->text() == book)
            m_list3->item(i)->setSelected(false);
}

void Form1::setRange(const QString &book, int first, int last)
{
    if (book == currentBook() && m_blockCount > 0)
        acceptRange({std::clamp(first, 1, m_blockCount), std::clamp(last, 1, m_blockCount)});
    else
        writeRange(bookFolder(m_programFolder, book), {first, last});
}

void Form1::showRecording(bool recording)
{
    if (m_options)
        m_options->setRecording(recording);
    if (recording)
        DisSpeak();
    else
        EnSpeak();
    m_combo1->setEnabled(true);
    QAction *button = m_toolbar->button(5);
    button->setIcon(style()->standardIcon(recording ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    button->setToolTip(recording ? QStringLiteral("Приостановить запись книги") : QStringLiteral("Начать запись книги"));
    m_toolbar->setButtonEnabled(5, true);
}

void Form1::reloadDictionaries()
{
    m_session->reloadDictionaries();
}

void Form1::openFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void Form1::exitProgram()
{
    // The job is over, so closing goes the ordinary way: settings, batch, exit.
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

bool Form1::switchOff()
{
    restoreWindow();
    ShutdownWindow countdown(requestSystemPowerOff, this);
    return countdown.exec() == QDialog::Accepted;
}

void Form1::restoreWindow()
{
    showNormal();
    raise();
    activateWindow();
}
