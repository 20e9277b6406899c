// The pictures of the user guide, taken from the real windows: a program
// folder of its own gets the demo book (added and partly recorded by
// lectorium-cli, as a user would), each window is opened over it offscreen
// and saved as a PNG under the name the guide shows. `make docs` runs it, so
// the pictures follow the windows whenever they change.
//
//   guide_screenshots CLI BOOK OUTPUT_FOLDER

#include "app/ui/main_window.h"
#include "common/ini_file.h"
#include "common/program_folder.h"
#include "common/user_dialogs.h"
#include "dictionaries/ui/dictionary_debugger_window.h"
#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_list_dialog.h"
#include "dictionaries/ui/dictionary_tools_dialog.h"
#include "import/ui/book_editor_window.h"
#include "options/ui/options_dialog.h"
#include "reader/ui/reader_window.h"
#include "recording/speech/speech_voice.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

// Nobody answers in a picture: every question gets its first answer.
class QuietDialogs : public UserDialogs
{
public:
    DialogAnswer show(const DialogMessage &message) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(message.text));
        return message.buttons == DialogButtons::YesNo || message.buttons == DialogButtons::YesNoCancel
                   ? DialogAnswer::No
                   : DialogAnswer::Ok;
    }
};

bool runCli(const QString &cli, const QStringList &args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(cli, args);
    return process.waitForFinished(15 * 60 * 1000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

// Lets the window lay itself out, load and paint; `ready` (if given) says
// when what it loads in the background is there, up to a minute.
void settle(const std::function<bool()> &ready = {})
{
    QElapsedTimer waited;
    waited.start();
    do {
        QApplication::processEvents();
        QThread::msleep(20);
    } while (ready && !ready() && waited.elapsed() < 60000);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

bool save(QWidget *window, const QString &folder, const QString &name)
{
    window->show();
    settle();
    // A palette of 256 colours keeps the pictures of plain windows small.
    const QImage picture = window->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const QString path = folder + u'/' + name + QStringLiteral(".png");
    const bool saved = picture.save(path, "PNG", 0); // 0: the smallest file
    std::printf("%s %s\n", saved ? "saved" : "NOT SAVED", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: guide_screenshots CLI BOOK OUTPUT_FOLDER\n");
        return 2;
    }
    const QString cli = args[1];
    const QString output = QFileInfo(args[3]).absoluteFilePath();
    QDir().mkpath(output);

    // A folder of a fixed name, so the paths the windows show stay the same
    // from one run to the next and a picture changes only with its window.
    struct WorkFolder
    {
        QDir dir{QDir::tempPath() + QStringLiteral("/lectorium-guide")};
        WorkFolder()
        {
            dir.removeRecursively();
            dir.mkpath(QStringLiteral("."));
        }
        ~WorkFolder() { dir.removeRecursively(); }
        QString path() const { return dir.path(); }
    } work;
    // The editor shows the book's path: one a reader might have.
    const QString bookFile = work.path() + QStringLiteral("/Книги/") + QFileInfo(args[2]).fileName();
    QDir().mkpath(QFileInfo(bookFile).path());
    QFile::copy(args[2], bookFile);
    const QString folder = work.path() + QStringLiteral("/Lectorium");
    QDir().mkpath(folder);
    seedProgramFolder(folder);
    const QString audio = work.path() + QStringLiteral("/Аудиокниги");
    // The first start's questions belong to another picture.
    writeIni(QStringLiteral("Общие настройки"), QStringLiteral("Первый запуск"), 0,
             ProgramFolder(folder).settingsFile());
    const QString book = QStringLiteral("Демонстрация");
    const QStringList base{QStringLiteral("--program-folder"), folder};
    if (!runCli(cli, base + QStringList{QStringLiteral("import"), bookFile, QStringLiteral("--title"), book})
        || !runCli(cli, base
                            + QStringList{QStringLiteral("record"), book, QStringLiteral("--to"), QStringLiteral("2"),
                                          QStringLiteral("--output"), audio, QStringLiteral("--quiet")})) {
        std::fprintf(stderr, "lectorium-cli could not add and record the demo book\n");
        return 1;
    }

    QuietDialogs dialogs;
    bool allSaved = true;
    {
        MainWindow window(folder);
        window.setDialogs(&dialogs);
        window.settings().outputFolder = audio;
        window.reloadLibrary();
        window.selectBook(book);
        allSaved &= save(&window, output, QStringLiteral("main-window"));
        window.hide();

        BookEditorWindow editor(folder, window.settings(), dialogs);
        editor.openGivenFile(bookFile);
        settle([&editor] { return !editor.bookText().isEmpty(); });
        if (auto *preview = editor.findChild<QPushButton *>(QStringLiteral("previewChaptersButton")))
            preview->click();
        settle();
        allSaved &= save(&editor, output, QStringLiteral("book-editor"));
        editor.hide();

        OptionsDialog options(window.settings(), folder, SpeechVoice::voices(),
                              SpeechVoice::voiceForLanguage(QStringLiteral("ru")), dialogs);
        options.resize(760, 560);
        auto *tabs = options.findChild<QTabWidget *>(QStringLiteral("mainTabs"));
        const char *pages[] = {"options-voice", "options-general", "options-mp3", "options-programs"};
        for (int page = 0; tabs && page < tabs->count() && page < 4; ++page) {
            tabs->setCurrentIndex(page);
            allSaved &= save(&options, output, QString::fromLatin1(pages[page]));
        }
        options.hide();

        ReaderWindow reader(folder, window.libraryBooks(), book, window.settings());
        reader.resize(820, 520);
        allSaved &= save(&reader, output, QStringLiteral("reader"));
        reader.hide();
    }
    {
        DictionaryEditorWindow editor(folder, dialogs);
        editor.resize(820, 560);
        allSaved &= save(&editor, output, QStringLiteral("dictionary-editor"));
        editor.hide();
        DictionaryListDialog list(folder, dialogs);
        allSaved &= save(&list, output, QStringLiteral("dictionary-list"));
        list.hide();
        DictionaryToolsDialog tools(folder);
        allSaved &= save(&tools, output, QStringLiteral("dictionary-tools"));
        tools.hide();
        DictionaryDebuggerWindow debugger(folder, dialogs);
        allSaved &= save(&debugger, output, QStringLiteral("dictionary-debugger"));
        debugger.hide();
    }
    return allSaved ? 0 : 1;
}
