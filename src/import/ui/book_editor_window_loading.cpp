// The book editor: getting a book into the text (open dialog, command line
// and drops, clipboard).

#include "import/ui/book_editor_window.h"

#include "import/editor_text.h"

#include "app/book_file_filter.h"
#include "common/user_dialogs.h"
#include "import/paragraph_layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

// The formats a file dropped on the text may have.
bool isDroppableBook(const QString &path)
{
    return !openableBookFile(path).isEmpty();
}

} // namespace

void BookEditorWindow::openFile()
{
    show();
    const QString path = chooseOpenFile(m_lastFolder);
    if (path.isEmpty()) {
        if (!m_bookLoaded) {
            saveEditorSettings();
            close();
        }
        return;
    }
    m_scaleTimer->stop();
    QApplication::processEvents();
    const QString name = fileTitle(path);
    loadBookFile(path, name);
    m_lastFolder = path.left(path.size() - name.size());
    saveEditorSettings();
}

void BookEditorWindow::openGivenFile(const QString &filePath)
{
    show();
    raise();
    activateWindow();
    const QString name = fileTitle(filePath);
    loadBookFile(filePath, name);
    m_lastFolder = filePath.left(filePath.size() - name.size());
    saveEditorSettings();
}

bool BookEditorWindow::loadBookFile(const QString &filePath, const QString &fileTitle, BookFileEncoding encoding)
{
    m_loading = true;
    const BookLoadResult result = m_loader.loadFile(filePath, fileTitle, encoding);
    if (result.loaded) {
        m_bookFile = filePath;
        m_readEncodingIndex = static_cast<int>(bookFileEncodings().indexOf(encoding));
    }
    showLoaded(result);
    m_loading = false;
    if (result.loaded)
        bookIsLoaded();
    return result.loaded;
}

// The user picked an encoding in the list: the file is read again in it.
void BookEditorWindow::rereadInChosenEncoding()
{
    const int chosen = m_encodingList->currentIndex();
    if (m_bookFile.isEmpty() || chosen == m_readEncodingIndex)
        return;
    const BookFileEncoding encoding = bookFileEncodings().value(chosen);
    if (textEditedSinceLoading()
        && m_dialogs.show({QStringLiteral("Кодировка файла"),
                           QStringLiteral("Текст книги изменён после чтения файла. Прочитать файл заново в "
                                          "кодировке %1? Изменения текста будут потеряны.")
                               .arg(bookFileEncodingCaption(encoding)),
                           DialogIcon::Question, DialogButtons::YesNo})
               != DialogAnswer::Yes) {
        m_encodingList->setCurrentIndex(m_readEncodingIndex);
        return;
    }
    if (!loadBookFile(m_bookFile, fileTitle(m_bookFile), encoding))
        m_encodingList->setCurrentIndex(m_readEncodingIndex);
}

bool BookEditorWindow::textEditedSinceLoading() const
{
    return qHash(bookText()) != m_textAsReadHash;
}

void BookEditorWindow::loadFromClipboard()
{
    show();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    QByteArray rtf;
    for (const QString &format :
         {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"), QStringLiteral("text/richtext")}) {
        if (data->hasFormat(format)) {
            rtf = data->data(format);
            break;
        }
    }
    m_loading = true;
    const BookLoadResult result = m_loader.loadPaste(rtf, data->text());
    if (result.loaded) {
        m_bookFile.clear();
        m_readEncodingIndex = 0;
    }
    showLoaded(result);
    m_loading = false;
    if (result.loaded)
        bookIsLoaded();
}

void BookEditorWindow::showLoaded(const BookLoadResult &result)
{
    if (result.loaded) {
        setBookText(result.text);
        m_textAsReadHash = qHash(bookText());
        showEncoding(result);
        if (result.sourcePath)
            m_sourceFileEdit->setText(*result.sourcePath);
        if (result.title)
            m_titleEdit->setText(*result.title);
        if (result.information)
            setInformation(*result.information);
        showCover(result.cover);
        // RTF and Word books have their indents marked with spaces; other
        // books are looked at. The status line says what was chosen.
        QStringList notes = {result.status};
        if (result.lettersImplausible)
            notes = {result.status + u'.', QStringLiteral("Выберите кодировку в списке рядом с именем файла.")};
        if (result.indentsMarked) {
            m_paragraphWithoutIndent->setChecked(false);
        } else {
            const ParagraphLayout layout = detectParagraphLayout(result.text);
            m_paragraphWithoutIndent->setChecked(layout.withoutIndent);
            notes.append(layout.status);
        }
        const QString sections = followSectionMarks(m_identifiers, result.sectionsMarked);
        if (!sections.isEmpty()) {
            fillIdentifierList();
            notes.append(sections);
        }
        notes.removeAll(QString());
        statusBar()->showMessage(notes.join(u' '));
        if (result.lettersImplausible && m_readEncodingIndex == 0)
            warnOfGarbledText(result.encoding);
        return;
    }
    statusBar()->showMessage(result.status);
}

// A text that reads as Russian in no encoding must not pass for a book:
// said where it cannot be missed, with the way out. A user who chose the
// encoding sees the text and the status line.
void BookEditorWindow::warnOfGarbledText(const QString &readAs)
{
    m_dialogs.show({QStringLiteral("Загрузка книги"),
                    QStringLiteral("Буквы текста не похожи на русский текст ни в одной из известных кодировок "
                                   "(прочитан как %1): возможно, файл в другой кодировке или это не текст.\n"
                                   "Если текст искажён, выберите кодировку в списке рядом с именем файла.")
                        .arg(readAs),
                    DialogIcon::Exclamation, DialogButtons::Ok});
}

// The list shows the encoding the text was read with; it can be changed
// only for a file whose encoding is not stated inside its format.
void BookEditorWindow::showEncoding(const BookLoadResult &result)
{
    m_encodingList->setCurrentIndex(m_readEncodingIndex);
    m_encodingList->setEnabled(result.encodingChoosable && !m_bookFile.isEmpty());
    // The list's own help, and what the file was read as.
    const QString read =
        result.encoding.isEmpty() ? QString() : QStringLiteral("\nПрочитан как %1.").arg(result.encoding);
    m_encodingList->setToolTip(m_encodingList->whatsThis() + read);
}

// A text is in the editor: it may be added, and cancelling the open dialog
// no longer closes the editor.
void BookEditorWindow::bookIsLoaded()
{
    updateDurationEstimate();
    m_bookLoaded = true;
    m_addBookButton->setEnabled(true);
    m_bookTextEdit->moveCursor(QTextCursor::Start);
}

QString BookEditorWindow::bookText() const
{
    return fromEditorText(m_bookTextEdit->toPlainText());
}

void BookEditorWindow::setBookText(const QString &text)
{
    m_bookTextEdit->setPlainText(toEditorText(text));
}

bool BookEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_bookTextEdit->viewport())
        return QMainWindow::eventFilter(watched, event);
    // Files dropped on the text load a book; they are never inserted as
    // text, so a drop of anything else leaves the text as it was.
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->acceptProposedAction();
        const QList<QUrl> urls = drop->mimeData()->urls();
        // The drag's source waits for the drop to end; load afterwards.
        QTimer::singleShot(0, this, [this, urls] { dropOnText(urls); });
        return true;
    }
    return false;
}

void BookEditorWindow::dropOnText(const QList<QUrl> &urls)
{
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    const QString path = urls.first().toLocalFile();
    if (isDroppableBook(path))
        openGivenFile(path);
}

void BookEditorWindow::setInformation(const BookInformation &info)
{
    const QStringList values = info.fields();
    for (int i = 0; i < m_informationFields.size(); ++i) {
        const QString value = toEditorText(values.value(i));
        if (auto *line = qobject_cast<QLineEdit *>(m_informationFields[i]))
            line->setText(value);
        else if (auto *box = qobject_cast<QPlainTextEdit *>(m_informationFields[i]))
            box->setPlainText(value);
    }
}

void BookEditorWindow::showCover(const std::optional<BookCover> &cover)
{
    m_cover = cover;
    QPixmap picture;
    if (cover)
        picture.loadFromData(cover->image);
    m_coverLabel->setVisible(!picture.isNull());
    m_coverLabel->setPixmap(picture.isNull()
                                ? QPixmap()
                                : picture.scaled(m_coverLabel->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

BookInformation BookEditorWindow::information() const
{
    QStringList values;
    for (QWidget *field : m_informationFields) {
        if (auto *line = qobject_cast<QLineEdit *>(field))
            values.append(line->text());
        else if (auto *box = qobject_cast<QPlainTextEdit *>(field))
            values.append(fromEditorText(box->toPlainText()));
    }
    return {values[0], values[1], values[2], values[3], values[4], values[5], values[6]};
}
