// lectorium-cli record / import / convert: a book of the library recorded to
// MP3 files by the same driver as the window, a book file added to the
// library, or both one after the other.

#include "cli/cli_command.h"
#include "cli/console_dialogs.h"
#include "cli/file_encoding_option.h"

#include "app/folder_removal.h"
#include "app/project_store.h"
#include "app/session/recording_session.h"
#include "app/settings.h"
#include "audiobook/audiobook_format.h"
#include "common/program_folder.h"
#include "import/book_loader.h"
#include "import/editor_estimate.h"
#include "import/paragraph_layout.h"
#include "import/saved_settings_add.h"
#include "import/word_converter.h"
#include "recording/block_text.h"
#include "recording/progress_texts.h"
#include "recording/speech/speech_output_rate.h"
#include "recording/speech/voice_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <unistd.h>

namespace {

// How the progress of a recording reaches standard error.
enum class ProgressOutput {
    Lines, // a line per change: a pipe or a file keeps a readable log
    Live,  // one line redrawn in place: a terminal
    None,  // --quiet: errors only
};

// The one line a terminal shows: book, block n/N, percent, elapsed,
// remaining and what is going on.
QString liveProgressLine(const RecordingProgress &progress)
{
    QString line =
        progress.book + QStringLiteral(" | блок %1/%2 | ").arg(progress.blockOfRange).arg(progress.blocksInRange)
        + percentText(progress.bookPercent) + QStringLiteral(" | прошло ") + formatDuration(progress.elapsedSeconds);
    if (progress.remainingSeconds)
        line += QStringLiteral(" | осталось ") + formatDuration(*progress.remainingSeconds);
    const QString encoder = encoderText(progress);
    line += QStringLiteral(" | ") + activityText(progress);
    if (!encoder.isEmpty())
        line += QStringLiteral(" | ") + encoder;
    return line;
}

// The command line's side of a recording: one book, progress on standard
// error, the range stored in the project as the window would.
class ConsoleRecordingHost : public RecordingJobHost
{
public:
    ConsoleRecordingHost(QString programFolder, RecordedBook book, ProgressOutput output)
        : m_programFolder(std::move(programFolder)), m_book(std::move(book)), m_output(output)
    { }
    ~ConsoleRecordingHost() override { endLiveLine(); }

    UserDialogs &dialogs() override
    {
        // A question or an error starts on a line of its own.
        endLiveLine();
        return m_dialogs;
    }
    void showProgress(const RecordingProgress &progress) override
    {
        if (m_output == ProgressOutput::None)
            return;
        if (m_output == ProgressOutput::Live) {
            if (progress.ended()) {
                endLiveLine();
                cliErr(activityText(progress) + u'\n');
                return;
            }
            // Back to the start of the line, the new text, the rest cleared.
            cliErr(u'\r' + liveProgressLine(progress) + QStringLiteral("\x1b[K"));
            m_liveLineOpen = true;
            return;
        }
        showProgressLines(progress);
    }

    // A line when the activity or the file being encoded changes, and one
    // at every tenth of the book.
    void showProgressLines(const RecordingProgress &progress)
    {
        const QString activity = activityText(progress);
        if (activity != m_lastActivity) {
            m_lastActivity = activity;
            cliErr(activity + u'\n');
        }
        for (const QString &wav : progress.encodingFiles) {
            if (m_encodedFiles.contains(wav))
                continue;
            m_encodedFiles.insert(wav);
            cliErr(QStringLiteral("Сжатие в MP3: ") + wav + u'\n');
        }
        const int whole = int(progress.bookPercent);
        // The encoders' last stretch counts too: it can be half the job.
        if (!progress.ended() && whole / 10 != m_lastDecile && progress.bookPercent > 0) {
            m_lastDecile = whole / 10;
            cliErr(percentText(progress.bookPercent) + u'\n');
        }
    }
    void showPaused(bool) override { }
    RecordedBook selectedBook() override { return m_book; }
    void setRange(const QString &book, int first, int last) override
    {
        writeRange(bookFolder(m_programFolder, book), {first, last});
    }
    void showRecording(bool) override { }

private:
    void endLiveLine()
    {
        if (m_liveLineOpen)
            cliErr(QStringLiteral("\n"));
        m_liveLineOpen = false;
    }

    QString m_programFolder;
    RecordedBook m_book;
    ProgressOutput m_output;
    bool m_liveLineOpen = false;
    ConsoleDialogs m_dialogs;
    QString m_lastActivity;
    QSet<QString> m_encodedFiles; // each is named once, when its encoder starts
    int m_lastDecile = -1;
};

// Takes "--name VALUE" out of `args`.
std::optional<QString> takeOption(QStringList &args, const QString &name)
{
    const qsizetype at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.size())
        return std::nullopt;
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

// Takes "--quiet" out of `args`; a terminal gets the live line.
ProgressOutput takeProgressOutput(QStringList &args)
{
    if (args.removeAll(QStringLiteral("--quiet")) > 0)
        return ProgressOutput::None;
    return isatty(STDERR_FILENO) ? ProgressOutput::Live : ProgressOutput::Lines;
}

// Takes "--format mp3|m4b|mp3-book" out of `args`: nothing when absent (the
// stored choice holds), false in `valid` when the name is unknown.
std::optional<AudiobookFormat> takeFormat(QStringList &args, bool &valid)
{
    valid = true;
    const auto name = takeOption(args, QStringLiteral("--format"));
    if (!name)
        return std::nullopt;
    const auto format = audiobookFormatFromName(*name);
    if (!format) {
        cliErr(QStringLiteral("Неизвестный формат аудиокниги «%1»: укажите mp3, m4b или mp3-book.\n").arg(*name));
        valid = false;
    }
    return format;
}

// What a record command asks for beside the book.
struct RecordOptions
{
    std::optional<QString> from;
    std::optional<QString> to;
    std::optional<int> jobs;               // encoders at once, in place of the setting
    std::optional<AudiobookFormat> format; // for this run only, in place of the setting
    ProgressOutput output = ProgressOutput::Lines;
};

// Takes "--jobs N" and "--format NAME" out of `args` into `options`; false
// when one of them is not understood.
bool takeEncodingOptions(QStringList &args, RecordOptions &options)
{
    bool valid = true;
    if (const auto jobs = takeOption(args, QStringLiteral("--jobs"))) {
        bool number = false;
        options.jobs = jobs->toInt(&number);
        valid = number && *options.jobs >= 0;
    }
    bool formatValid = true;
    options.format = takeFormat(args, formatValid);
    return valid && formatValid;
}

int recordBook(const QString &programFolder, const QString &name, const RecordOptions &options)
{
    // A book is an entry of the library, never a path that leads out of it.
    const QString folder = bookFolder(programFolder, name);
    const int blocks = isPlainEntryName(name) ? countBlocks(folder) : 0;
    if (blocks == 0) {
        cliErr(QStringLiteral("В библиотеке нет книги «%1».\n").arg(name));
        return 1;
    }
    BlockRange range = readRange(folder, blocks);
    if (options.from)
        range.first = options.from->toInt();
    if (options.to)
        range.last = options.to->toInt();
    range.first = std::clamp(range.first, 1, blocks);
    range.last = std::clamp(range.last, range.first, blocks);

    Settings settings;
    const QString ini = ProgramFolder(programFolder).settingsFile();
    loadSettings(settings, ini);
    if (settings.outputFolder.size() < 2)
        settings.outputFolder = programFolder + QStringLiteral("/Audiobooks");
    // For this run only; the options window's choices stay stored.
    if (options.format)
        settings.audiobookFormat = *options.format;
    if (options.jobs)
        settings.encoderJobs = *options.jobs;

    // Rate, pitch and pauses per voice, as set in the options window.
    loadVoiceTable(programFolder);

    ConsoleRecordingHost host(programFolder, {name, QString(), blocks, range.first, range.last}, options.output);
    RecordingSession session(settings, programFolder, host);
    // The command ends with the job: nobody is there to ask about the folder.
    session.job().afterFinish = AfterFinish::Exit;
    int exitCode = 1;
    QString audioFolder;
    QObject::connect(&session.job(), &RecordingJob::jobEnded, [&](const JobResult &result) {
        exitCode = result.stoppedByUser || result.engineFailed || result.filesFailed ? 1 : 0;
        audioFolder = result.lastFolder;
        QCoreApplication::exit(exitCode);
    });
    if (!session.job().startRecording())
        return 1;
    if (session.job().isRunning())
        QCoreApplication::exec();
    // The coefficient learnt while recording is kept like the window keeps
    // it; a --jobs of this run is not.
    Settings stored;
    loadSettings(stored, ini);
    stored.coefficient1 = settings.coefficient1;
    saveSettings(stored, ini);
    cliOut(audioFolder + u'\n');
    return exitCode;
}

// The learnt "Коэффициент1" of the program folder at the voice's byte rate.
SpeakingRate speakingRate(const QString &programFolder)
{
    Settings settings;
    loadSettings(settings, programFolder + QStringLiteral("/Lectorium.ini"));
    return {settings.coefficient1, speechBytesPerSecond()};
}

// What an import is asked for beside the file.
struct ImportOptions
{
    std::optional<QString> title;
    BookFileEncoding encoding = BookFileEncoding::Automatic;
};

// Takes "--title" and "--encoding" out of `args`; nothing for an unknown
// encoding.
std::optional<ImportOptions> takeImportOptions(QStringList &args)
{
    ImportOptions options;
    options.title = takeOption(args, QStringLiteral("--title"));
    const auto encoding = takeFileEncodingOption(args);
    if (!encoding)
        return std::nullopt;
    options.encoding = *encoding;
    return options;
}

// Loads the book file and adds it to the library; the library name, or an
// empty string when that failed.
QString importBook(const QString &programFolder, const QString &path, const ImportOptions &options)
{
    ConsoleDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const BookLoadResult loaded = loader.loadFile(absolute, fileTitle(absolute), options.encoding);
    if (!loaded.loaded)
        return {};
    if (!loaded.readingNotes.isEmpty())
        cliErr(loaded.readingNotes + u'\n');
    // Nobody sees the text before it is added: a text that reads as Russian
    // in no encoding would become hours of noise. Named, it is taken.
    if (loaded.lettersImplausible && options.encoding == BookFileEncoding::Automatic) {
        cliErr(QStringLiteral("Книга не добавлена: её текст не похож на русский ни в одной кодировке.\n")
               + fileEncodingOptionHint());
        return {};
    }
    AddRequest request;
    request.programFolder = programFolder;
    request.title = options.title.value_or(loaded.title.value_or(QString())).trimmed();
    request.text = loaded.text;
    request.info = loaded.information.value_or(BookInformation());
    // As the editor does on loading: the book's own layout decides whether a
    // paragraph may end without an indented or empty line after it.
    const ParagraphLayout layout = detectParagraphLayout(loaded.text);
    request.paragraphWithoutIndent = loaded.indentsMarked ? false : layout.withoutIndent;
    if (!loaded.indentsMarked)
        cliErr(layout.status + u'\n');
    request.sectionsMarked = loaded.sectionsMarked;
    request.cover = loaded.cover;
    const AddResult added = addWithSavedSettings(request, dialogs);
    if (added.status != AddStatus::Added)
        return {};
    cliErr(QStringLiteral("Книга «%1» добавлена: блоков %2, длительность %3\n")
               .arg(added.book)
               .arg(added.blockCount)
               .arg(estimateLabel(bookRawLength(bookFolder(programFolder, added.book)), speakingRate(programFolder))));
    return added.book;
}

int runRecord(CliContext &context)
{
    QStringList args = context.args;
    RecordOptions options;
    options.from = takeOption(args, QStringLiteral("--from"));
    options.to = takeOption(args, QStringLiteral("--to"));
    const bool understood = takeEncodingOptions(args, options);
    options.output = takeProgressOutput(args);
    if (args.size() != 1 || !understood) {
        cliErr(QStringLiteral("Использование: lectorium-cli record КНИГА [--from N] [--to N] [--jobs N] "
                              "[--format mp3|m4b|mp3-book] [--quiet]\n"
                              "--jobs: сколько блоков сжимать в MP3 одновременно (0 — по числу процессоров)\n"));
        return 2;
    }
    return recordBook(context.programFolder, args.first(), options);
}

int runImport(CliContext &context)
{
    QStringList args = context.args;
    const auto import = takeImportOptions(args);
    if (args.size() != 1 || !import) {
        cliErr(QStringLiteral("Использование: lectorium-cli import ФАЙЛ [--title НАЗВАНИЕ] [--encoding ИМЯ]\n")
               + fileEncodingOptionUsage());
        return 2;
    }
    const QString book = importBook(context.programFolder, args.first(), *import);
    if (book.isEmpty())
        return 1;
    cliOut(book + u'\n');
    return 0;
}

int runConvert(CliContext &context)
{
    QStringList args = context.args;
    const auto import = takeImportOptions(args);
    RecordOptions options;
    options.from = QStringLiteral("1");
    const bool understood = takeEncodingOptions(args, options);
    options.output = takeProgressOutput(args);
    if (args.size() != 1 || !understood || !import) {
        cliErr(QStringLiteral("Использование: lectorium-cli convert ФАЙЛ [--title НАЗВАНИЕ] [--encoding ИМЯ] "
                              "[--jobs N] [--format mp3|m4b|mp3-book] [--quiet]\n")
               + fileEncodingOptionUsage());
        return 2;
    }
    const QString book = importBook(context.programFolder, args.first(), *import);
    if (book.isEmpty())
        return 1;
    return recordBook(context.programFolder, book, options);
}

} // namespace

CliCommand recordCommand()
{
    return {"record",
            "record BOOK [--from N] [--to N] [--jobs N] [--format mp3|m4b|mp3-book] [--quiet]  record a book of the "
            "library to MP3 files (and one file with chapters; --jobs: encoders at once, 0 = one per processor); "
            "prints its folder",
            runRecord};
}

CliCommand importCommand()
{
    return {"import",
            "import FILE [--title T] [--encoding NAME]  add a book file to the library with the saved options "
            "(--encoding: as for text)",
            runImport};
}

CliCommand convertCommand()
{
    return {
        "convert",
        "convert FILE [--title T] [--encoding NAME] [--jobs N] [--format mp3|m4b|mp3-book] [--quiet]  import a book "
        "file, then record it; prints the MP3 folder",
        runConvert};
}
