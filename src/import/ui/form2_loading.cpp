// The book editor: getting a book into the text (open dialog, command line
// and drops, clipboard).

#include "form2.h"

#include "import/editor_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {

// The formats a file dropped on the text may have.
bool isDroppableBook(const QString &path)
{
    static const QStringList endings{QStringLiteral(".txt"), QStringLiteral(".fb2"), QStringLiteral(".doc"),
                                     QStringLiteral(".htm"), QStringLiteral("html"), QStringLiteral(".rtf")};
    return path.size() >= 5 && QFileInfo(path).isFile() && endings.contains(path.right(4).toLower());
}

} // namespace

void Form2::openFile()
{
    show();
    const QString path = chooseOpenFile(m_lastFolder);
    if (path.isEmpty()) {
        if (!m_BookLoaded) {
            SaveS();
            close();
        }
        return;
    }
    m_szTimer->stop();
    QApplication::processEvents();
    const QString name = GetFileTitle(path);
    LoadFile(path, name);
    m_lastFolder = path.left(path.size() - name.size());
    SaveS();
}

void Form2::LoadExternal(const QString &InFileName)
{
    show();
    raise();
    activateWindow();
    const QString name = GetFileTitle(InFileName);
    LoadFile(InFileName, name);
    m_lastFolder = InFileName.left(InFileName.size() - name.size());
    SaveS();
}

bool Form2::LoadFile(const QString &InFileName, const QString &InFileNm)
{
    m_Loading = true;
    const BookLoadResult result = m_loader.LoadFile(InFileName, InFileNm);
    showLoaded(result);
    m_Loading = false;
    if (result.loaded)
        bookIsLoaded();
    return result.loaded;
}

void Form2::LoadPaste()
{
    show();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    QByteArray rtf;
    for (const QString &format : {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                  QStringLiteral("text/richtext")}) {
        if (data->hasFormat(format)) {
            rtf = data->data(format);
            break;
        }
    }
    m_Loading = true;
    const BookLoadResult result = m_loader.LoadPaste(rtf, data->text());
    showLoaded(result);
    m_Loading = false;
    if (result.loaded)
        bookIsLoaded();
}

void Form2::showLoaded(const BookLoadResult &result)
{
    if (result.loaded) {
        setBookText(result.text);
        if (result.sourcePath)
            m_text2->setText(*result.sourcePath);
        if (result.title)
            m_text9->setText(*result.title);
        if (result.information)
            setInformation(*result.information);
        if (result.indentsMarked)
            m_check4->setChecked(false);
    }
    statusBar()->showMessage(result.status);
}

// A text is in the editor: it may be added, and cancelling the open dialog
// no longer closes the editor.
void Form2::bookIsLoaded()
{
    textChanged();
    m_BookLoaded = true;
    m_command1->setEnabled(true);
    m_text->moveCursor(QTextCursor::Start);
}

QString Form2::bookText() const
{
    return fromEditorText(m_text->toPlainText());
}

void Form2::setBookText(const QString &text)
{
    m_text->setPlainText(toEditorText(text));
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text->viewport())
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

void Form2::dropOnText(const QList<QUrl> &urls)
{
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    const QString path = urls.first().toLocalFile();
    if (isDroppableBook(path))
        LoadExternal(path);
}

void Form2::setInformation(const BookInformation &info)
{
    const QStringList values = info.fields();
    for (int i = 0; i < m_text5.size(); ++i) {
        const QString value = toEditorText(values.value(i));
        if (auto *line = qobject_cast<QLineEdit *>(m_text5[i]))
            line->setText(value);
        else if (auto *box = qobject_cast<QPlainTextEdit *>(m_text5[i]))
            box->setPlainText(value);
    }
}

BookInformation Form2::information() const
{
    QStringList values;
    for (QWidget *field : m_text5) {
        if (auto *line = qobject_cast<QLineEdit *>(field))
            values.append(line->text());
        else if (auto *box = qobject_cast<QPlainTextEdit *>(field))
            values.append(fromEditorText(box->toPlainText()));
    }
    return {values[0], values[1], values[2], values[3], values[4], values[5], values[6]};
}
