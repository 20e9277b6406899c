// The main window's library as a list of books with their state: under each
// name how many blocks are recorded, the sound they hold against the whole
// book's, and the kind of audiobook; the cover's thumbnail; the audio folder
// in the tooltip. The book being recorded is read again at each step.

#include "app/ui/main_window.h"

#include "app/ui/library_entry_delegate.h"
#include "audiobook/book_state.h"
#include "recording/speech/speech_output_rate.h"

#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QListWidget>
#include <QPixmap>

namespace {

constexpr int kThumbnailHeight = 64;

QIcon coverThumbnail(const QString &path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && size.height() > kThumbnailHeight)
        reader.setScaledSize(size.scaled(QSize(kThumbnailHeight, kThumbnailHeight), Qt::KeepAspectRatio));
    const QImage image = reader.read();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

void showState(QListWidgetItem *item, const BookState &state)
{
    item->setData(LibraryEntryDelegate::kStateLineRole, bookStateLine(state));
    item->setToolTip(bookStateToolTip(state));
    item->setIcon(coverThumbnail(state.coverPath));
}

} // namespace

void MainWindow::showBookStates()
{
    // The library is filled before the settings are read; the audio folder
    // is known from then on.
    if (m_settings.outputFolder.isEmpty())
        return;
    if (!m_bookStates)
        m_bookStates = std::make_unique<BookStateReader>(m_settings, m_programFolder, speechBytesPerSecond());
    // The list was filled afresh: a book added again has new texts.
    m_bookStates->forgetTexts();
    for (int i = 0; i < m_libraryList->count(); ++i)
        showState(m_libraryList->item(i), m_bookStates->read(m_libraryList->item(i)->text()));
}

void MainWindow::showBookState(const QString &book)
{
    if (!m_bookStates)
        return;
    for (int i = 0; i < m_libraryList->count(); ++i)
        if (m_libraryList->item(i)->text() == book)
            showState(m_libraryList->item(i), m_bookStates->read(book));
}

void MainWindow::followRecordingInLibrary(const RecordingProgress &progress)
{
    if (progress.book.isEmpty())
        return;
    const QString step = progress.book + u'\n' + QString::number(int(progress.phase)) + u'\n'
                         + QString::number(progress.block) + u'\n' + progress.encodingFiles.join(u'\n');
    if (step == m_shownRecordingStep)
        return;
    m_shownRecordingStep = step;
    showBookState(progress.book);
}
