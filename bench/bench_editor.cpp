// The book editor with a 5 MB book: loading it into the window and showing
// it, jumping to its end, typing in its middle, the estimate after a key
// press, a find, reading the whole text back, the chapter preview, adding
// the book, and a 5 MB FictionBook book. Runs offscreen unless a display
// platform is chosen; prints the time of each step.

#include "app/settings.h"
#include "import/ui/book_editor_window.h"

#include "common/user_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

class SilentDialogs : public UserDialogs
{
public:
    DialogAnswer show(const DialogMessage &message) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        return DialogAnswer::Ok;
    }
};

void step(const char *label, const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    std::printf("%-48s %8.1f ms\n", label, timer.nsecsElapsed() / 1e6);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir programFolder;
    Settings settings;
    SilentDialogs dialogs;
    BookEditorWindow editor(programFolder.path(), settings, dialogs);
    editor.show();
    QApplication::processEvents();
    auto *text = editor.findChild<QPlainTextEdit *>(QStringLiteral("bookTextEdit"));

    const QString book = QStringLiteral(LECTORIUM_SHARED_DATA "/books/txt/prose-5mb.cp1251.txt");
    step("load and show prose-5mb.cp1251.txt (4.9 MB)", [&] { editor.openGivenFile(book); });
    std::printf("  %lld characters, %d lines, estimate %s\n", static_cast<long long>(editor.bookText().size()),
                text->document()->blockCount(),
                qPrintable(editor.findChild<QLabel *>(QStringLiteral("bookDurationLabel"))->text()));
    step("jump to the end", [&] { text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum()); });
    step("jump to the middle", [&] { text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum() / 2); });
    step("type a character in the middle (with estimate)", [&] {
        QTextCursor cursor = text->cursorForPosition(text->viewport()->rect().center());
        cursor.insertText(QStringLiteral("ж"));
    });
    step("find a word near the end", [&] {
        editor.findChild<QLineEdit *>(QStringLiteral("findEdit"))->setText(QStringLiteral("Конец"));
        editor.findChild<QPushButton *>(QStringLiteral("findNextButton"))->click();
    });
    step("read the whole text back (CR LF)", [&] { editor.bookText(); });
    step("chapter preview (\"Найти Главы\")",
         [&] { editor.findChild<QPushButton *>(QStringLiteral("previewChaptersButton"))->click(); });
    editor.findChild<QPushButton *>(QStringLiteral("stopPreviewButton"))->click();
    step("add the book (add pass, project written)",
         [&] { editor.findChild<QPushButton *>(QStringLiteral("addBookButton"))->click(); });

    BookEditorWindow second(programFolder.path(), settings, dialogs);
    second.show();
    QApplication::processEvents();
    const QString fictionBook = QStringLiteral(LECTORIUM_SHARED_DATA "/books/fb2/prose-5mb.utf8.fb2");
    step("load and show prose-5mb.utf8.fb2 (8.6 MB file)", [&] { second.openGivenFile(fictionBook); });
    auto *secondText = second.findChild<QPlainTextEdit *>(QStringLiteral("bookTextEdit"));
    std::printf("  %lld characters, %d lines (the file is one paragraph)\n",
                static_cast<long long>(second.bookText().size()), secondText->document()->blockCount());
    step("type a character in that one paragraph", [&] {
        QTextCursor cursor = secondText->cursorForPosition(secondText->viewport()->rect().center());
        cursor.insertText(QStringLiteral("ж"));
    });
    return 0;
}
