// The main window's side of the book editor: toolbar button 1 and its menu,
// and the book files of the command line and of drops open the editor; the
// editor's closing brings this window back.

#include "form1.h"

#include "app/ui/main_toolbar.h"
#include "import/ui/form2.h"

#include <QAction>
#include <QTimer>
#include <QWindow>

void Form1::connectBookEditorCommands()
{
    auto openFile = [this] { openBookEditor()->openFile(); };
    connect(m_toolbar->button(1), &QAction::triggered, this, openFile);
    connect(m_toolbar->menuItem(1, 1), &QAction::triggered, this, openFile);
    connect(m_toolbar->menuItem(1, 2), &QAction::triggered, this, [this] { openBookEditor()->LoadPaste(); });
}

Form2 *Form1::openBookEditor()
{
    if (!m_form2) {
        // A window of its own, not a child: a disabled main window would
        // disable its children too.
        m_form2 = new Form2(m_programFolder, m_settings, *m_dialogs, m_trialVoice.get());
        m_form2->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_form2, &Form2::closed, this, [this] { bookEditorClosed(QString(), false); });
        connect(m_form2, &Form2::bookAdded, this, &Form1::bookEditorClosed);
        // Kept above this window, as a dialog would be.
        m_form2->winId();
        winId();
        m_form2->windowHandle()->setTransientParent(windowHandle());
        setEnabled(false);
    }
    m_form2->show();
    m_form2->raise();
    m_form2->activateWindow();
    // At start-up this window is shown after the editor (a book on the
    // command line); the editor comes to the front once both are up.
    QTimer::singleShot(0, m_form2, [editor = m_form2] {
        editor->raise();
        editor->activateWindow();
    });
    return m_form2;
}

void Form1::bookEditorClosed(const QString &addedBook, bool startRecording)
{
    setEnabled(true);
    show();
    raise();
    LoadList();
    if (addedBook.isEmpty() || !FindBook(addedBook))
        return;
    if (startRecording)
        m_toolbar->button(5)->trigger();
}
