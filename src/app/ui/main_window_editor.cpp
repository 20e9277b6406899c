// The main window's side of the book editor: toolbar button 1 and its menu,
// and the book files of the command line and of drops open the editor; the
// editor's closing brings this window back.

#include "app/ui/main_window.h"

#include "app/ui/main_toolbar.h"
#include "import/ui/book_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWindow>

void MainWindow::connectBookEditorCommands()
{
    auto openFile = [this] { openBookEditor()->openFile(); };
    connect(m_toolbar->button(ToolbarButton::AddBook), &QAction::triggered, this, openFile);
    connect(m_toolbar->menuItem(ToolbarButton::AddBook, 1), &QAction::triggered, this, openFile);
    connect(m_toolbar->menuItem(ToolbarButton::AddBook, 2), &QAction::triggered, this,
            [this] { openBookEditor()->loadFromClipboard(); });
}

BookEditorWindow *MainWindow::openBookEditor()
{
    if (!m_bookEditor) {
        // A window of its own, not a child: a disabled main window would
        // disable its children too.
        m_bookEditor = new BookEditorWindow(m_programFolder, m_settings, *m_dialogs, m_trialVoice.get());
        m_bookEditor->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_bookEditor, &BookEditorWindow::closed, this, [this] { bookEditorClosed(QString(), false); });
        connect(m_bookEditor, &BookEditorWindow::bookAdded, this, &MainWindow::bookEditorClosed);
        // Kept above this window, as a dialog would be.
        m_bookEditor->winId();
        winId();
        m_bookEditor->windowHandle()->setTransientParent(windowHandle());
        setEnabled(false);
    }
    m_bookEditor->show();
    m_bookEditor->raise();
    m_bookEditor->activateWindow();
    // At start-up this window is shown after the editor (a book on the
    // command line); the editor comes to the front once both are up.
    // A dialog the editor opened meanwhile (its open dialog) stays on top.
    QTimer::singleShot(0, m_bookEditor, [editor = m_bookEditor] {
        if (QApplication::activeModalWidget())
            return;
        editor->raise();
        editor->activateWindow();
    });
    return m_bookEditor;
}

void MainWindow::bookEditorClosed(const QString &addedBook, bool startRecording)
{
    setEnabled(true);
    show();
    raise();
    // Nothing added (the open dialog cancelled): the selection stays.
    const QString selected = currentBook();
    reloadLibrary();
    if (addedBook.isEmpty()) {
        if (!selected.isEmpty())
            selectBook(selected);
        return;
    }
    if (!selectBook(addedBook))
        return;
    if (startRecording)
        m_toolbar->button(ToolbarButton::Record)->trigger();
}
