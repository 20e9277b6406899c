// lectorium-cli record / import / convert: a book of the library recorded to
// MP3 files by the same driver as the window, a book file added to the
// library, or both one after the other.

#include "cli/book_recording.h"
#include "cli/cli_command.h"
#include "cli/console_dialogs.h"
#include "cli/file_encoding_option.h"

#include "app/folder_removal.h"
#include "app/project_store.h"
#include "app/session/recording_session.h"
#include "app/settings.h"
#include "audiobook/audiobook_format.h"
#include "common/program_folder.h"
#include "common/terminal_columns.h"
#include "import/book_loader.h"
#include "import/editor_estimate.h"
#include "import/paragraph_layout.h"
#include "import/saved_settings_add.h"
#include "import/word_converter.h"
#include "options/default_output_folder.h"
#include "recording/block_text.h"
#include "recording/progress_texts.h"
#include "recording/speech/speech_output_rate.h"
#include "recording/speech/voice_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const char *const kRecordUsage =
    "Использование: lectorium-cli record КНИГА [--from N] [--to N] [--jobs N] [--format ФОРМАТ] [--output ПАПКА]\n"
    "                                    [--lyrics] [--lyrics-words] [--quiet]\n"
    "Записывает книгу из библиотеки в MP3-файлы блоков (и, по выбранному формату, в одну\n"
    "аудиокнигу с главами) и выводит папку с ними.\n"
    "  КНИГА            имя книги в библиотеке (папка в Projects)\n"
    "  --from N         первый блок (без него — сохранённый диапазон книги)\n"
    "  --to N           последний блок\n"
    "  --jobs N         сколько блоков сжимать в MP3 одновременно (0 — по числу процессоров)\n"
    "  --format ФОРМАТ  только на этот запуск: mp3 — файлы блоков, m4b — ещё и одна книга M4B,\n"
    "                   mp3-book — ещё и одна книга MP3 с главами\n"
    "  --output ПАПКА   только на этот запуск: папка для аудиокниг (в ней — папка книги)\n"
    "                   вместо выбранной в настройках (без выбора — ~/Аудиокниги)\n"
    "  --lyrics         текст для чтения вслед: LRC-файл рядом с каждым блоком (время каждого\n"
    "                   предложения), для книги одним файлом ещё LRC и SRT на всю книгу\n"
    "  --lyrics-words   то же, и время каждого слова\n"
    "  --quiet          только ошибки, без хода записи\n";

const char *const kImportUsage =
    "Использование: lectorium-cli import ФАЙЛ [--title НАЗВАНИЕ] [--encoding ИМЯ]\n"
    "Добавляет книжный файл в библиотеку с сохранёнными настройками добавления и выводит имя\n"
    "книги в библиотеке.\n"
    "  --title НАЗВАНИЕ  название книги вместо предложенного по файлу\n"
    "  --encoding ИМЯ   кодировка файла (auto, windows-1251, utf-8, koi8-r, cp866, iso-8859-5,\n"
    "                   mac-cyrillic); без неё кодировка определяется по буквам текста\n";

const char *const kConvertUsage =
    "Использование: lectorium-cli convert ФАЙЛ [--title НАЗВАНИЕ] [--encoding ИМЯ] [--jobs N] [--format ФОРМАТ]\n"
    "                                     [--output ПАПКА] [--lyrics] [--lyrics-words] [--quiet]\n"
    "Добавляет книжный файл в библиотеку (как import), затем записывает всю книгу (как record)\n"
    "и выводит папку с MP3-файлами.\n"
    "  --title НАЗВАНИЕ  название книги вместо предложенного по файлу\n"
    "  --encoding ИМЯ   кодировка файла, как у import\n"
    "  --jobs N         сколько блоков сжимать в MP3 одновременно (0 — по числу процессоров)\n"
    "  --format ФОРМАТ  только на этот запуск: mp3, m4b или mp3-book\n"
    "  --output ПАПКА   только на этот запуск: папка для аудиокниг вместо выбранной в настройках\n"
    "  --lyrics         текст для чтения вслед (LRC, для книги одним файлом ещё SRT), как у record\n"
    "  --lyrics-words   то же, и время каждого слова\n"
    "  --quiet          только ошибки, без хода записи\n";

// Columns of the terminal on standard error: its own size, else $COLUMNS,
// else 80. Asked at each redraw, so a resized window is followed.
int terminalColumns()
{
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    bool number = false;
    const int columns = qEnvironmentVariableIntValue("COLUMNS", &number);
    return number && columns > 0 ? columns : 80;
}

// The one line a terminal shows: book, block n/N, percent, elapsed,
// remaining and what is going on, in fewer than `columns` columns: a line
// that reached the last column would wrap, and every redraw would leave a
// line behind. The book's title gives way first (the command line names
// it), then the end of the line.
QString liveProgressLine(const RecordingProgress &progress, int columns)
{
    QString rest = QStringLiteral(" | блок %1/%2 | ").arg(progress.blockOfRange).arg(progress.blocksInRange)
                   + percentText(progress.bookPercent) + QStringLiteral(" | прошло ")
                   + formatDuration(progress.elapsedSeconds);
    if (progress.remainingSeconds)
        rest += QStringLiteral(" | осталось ") + formatDuration(*progress.remainingSeconds);
    const QString encoder = encoderText(progress);
    rest += QStringLiteral(" | ") + activityText(progress);
    if (!encoder.isEmpty())
        rest += QStringLiteral(" | ") + encoder;
    const int room = columns - 1;
    const int shortestTitle = std::min(terminalColumnsOf(progress.book), 12);
    const QString book = cutToColumns(progress.book, std::max(room - terminalColumnsOf(rest), shortestTitle));
    return cutToColumns(book + rest, room);
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
            cliErr(u'\r' + liveProgressLine(progress, terminalColumns()) + QStringLiteral("\x1b[K"));
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

} // namespace

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
static std::optional<AudiobookFormat> takeFormat(QStringList &args, bool &valid)
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

// Takes "--jobs N", "--format NAME", "--output DIR" and "--lyrics" out of `args` into
// `options`; false when one of them is not understood.
bool takeEncodingOptions(QStringList &args, RecordOptions &options)
{
    if (const auto output = takeOption(args, QStringLiteral("--output")))
        options.outputFolder = QDir(*output).absolutePath();
    bool valid = true;
    if (const auto jobs = takeOption(args, QStringLiteral("--jobs"))) {
        bool number = false;
        options.jobs = jobs->toInt(&number);
        valid = number && *options.jobs >= 0;
    }
    options.readAlongWords = args.removeAll(QStringLiteral("--lyrics-words")) > 0;
    options.readAlong = args.removeAll(QStringLiteral("--lyrics")) > 0 || options.readAlongWords;
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
    if (!options.blocks.isEmpty())
        range = {options.blocks.first(), options.blocks.last()};
    range.first = std::clamp(range.first, 1, blocks);
    range.last = std::clamp(range.last, range.first, blocks);

    Settings settings;
    const QString ini = ProgramFolder(programFolder).settingsFile();
    loadSettings(settings, ini);
    settings.outputFolder = outputFolderOrDefault(options.outputFolder.value_or(settings.outputFolder));
    // For this run only; the options window's choices stay stored.
    if (options.format)
        settings.audiobookFormat = *options.format;
    if (options.jobs)
        settings.encoderJobs = *options.jobs;
    settings.readAlong = settings.readAlong || options.readAlong;
    settings.readAlongWords = settings.readAlongWords || options.readAlongWords;
    settings.autoStress = settings.autoStress && options.autoStress;

    // Rate, pitch and pauses per voice, as set in the options window.
    loadVoiceTable(programFolder);

    ConsoleRecordingHost host(programFolder, {name, QString(), blocks, range.first, range.last, options.blocks},
                              options.output);
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

namespace {

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
    options.autoStress = context.autoStress;
    options.from = takeOption(args, QStringLiteral("--from"));
    options.to = takeOption(args, QStringLiteral("--to"));
    const bool understood = takeEncodingOptions(args, options);
    options.output = takeProgressOutput(args);
    if (args.size() != 1 || !understood)
        return usageError(kRecordUsage);
    return recordBook(context.programFolder, args.first(), options);
}

int runImport(CliContext &context)
{
    QStringList args = context.args;
    const auto import = takeImportOptions(args);
    if (args.size() != 1 || !import)
        return usageError(kImportUsage);
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
    options.autoStress = context.autoStress;
    options.from = QStringLiteral("1");
    const bool understood = takeEncodingOptions(args, options);
    options.output = takeProgressOutput(args);
    if (args.size() != 1 || !understood || !import)
        return usageError(kConvertUsage);
    const QString book = importBook(context.programFolder, args.first(), *import);
    if (book.isEmpty())
        return 1;
    return recordBook(context.programFolder, book, options);
}

} // namespace

CliCommand recordCommand()
{
    return {"record", "записать книгу из библиотеки в MP3 (и в одну аудиокнигу)", kRecordUsage, runRecord};
}

CliCommand importCommand()
{
    return {"import", "добавить книжный файл в библиотеку", kImportUsage, runImport};
}

CliCommand convertCommand()
{
    return {"convert", "добавить книжный файл в библиотеку и сразу записать его", kConvertUsage, runConvert};
}
