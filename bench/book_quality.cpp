// book_quality: how real books come out of "lectorium-cli import" with the
// settings a new user gets, in the figures of the README's quality table.
// Each book is imported into a fresh program folder; then its blocks are
// read back and, unless --no-speech, every block is spoken by the voice as
// the recording would speak it (into a counter, not onto the disk).
//
//   headings   real headings, and how many of them begin a block
//   elsewhere  blocks that begin neither at a real heading nor at a size break
//   empty      blocks without a letter or a digit
//   changed    characters of the book that reach the blocks as "?" or not at all
//   dialogue   narration lines (lines not opened by a dash) whose first words
//              are read in a dialogue voice, of all narration lines
//   estimate   the length lectorium-cli prints after the import, against
//              the sound the voice makes of the blocks
//
// Real headings: the section titles of a FictionBook book; for a text book
// the lines that its --headings expression (or the table below) matches,
// checked by hand against the books.
//
// Usage: book_quality [--cli PATH] [--no-speech] [--headings REGEX] [BOOK...]
// Without books: the books of ../shared/books of the README's table. With
// BOOK_QUALITY_DEBUG set it names the blocks begun elsewhere and the headings
// that begin none on standard error.

#include "app/project_store.h"
#include "app/settings.h"
#include "common/format_duration.h"
#include "common/text_codec.h"
#include "common/user_dialogs.h"
#include "common/user_file.h"
#include "import/book_loader.h"
#include "import/voice_markers.h"
#include "import/word_converter.h"
#include "recording/block_text.h"
#include "recording/speech/speech_voice.h"
#include "recording/speech/voice_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char *const kDefaultBooks[] = {
    "books/txt/kashtanka.cp1251.txt",     "books/txt/kashtanka.cp866.txt",         "books/txt/kashtanka.utf8.txt",
    "books/txt/anna-karenina.cp1251.txt", "books/fb2/war-and-peace-demo.utf8.fb2", "books/fb2/prose-5mb.utf8.fb2",
};

// The heading lines of the books of the table, by the start of the file
// name: the seven "Глава ..." of Каштанка; the eight parts, the Roman chapter
// numbers and the notes of Анна Каренина; in the 5 MB book, besides its
// FictionBook sections, the parts, chapters and notes of the novels it is
// made of.
QString knownHeadings(const QString &fileName)
{
    if (fileName.startsWith(QLatin1String("kashtanka")))
        return QStringLiteral("^\\s*Глава \\S+\\s*$");
    if (fileName.startsWith(QLatin1String("anna-karenina")))
        return QStringLiteral("^\\s*(Часть \\S+|[IVXLC]+|Примечания)\\s*$");
    if (fileName.startsWith(QLatin1String("prose-5mb")))
        return QStringLiteral("(?i)^\\s*(Часть \\S+|Глава \\S+|[IVXLCХІ]+\\.?|Примечания|Заключение)\\s*$");
    return QString();
}

class SilentDialogs : public UserDialogs
{
public:
    DialogAnswer show(const DialogMessage &) override { return DialogAnswer::Ok; }
};

// Letters and digits in lower case: a line as a listener tells it apart.
QString spoken(const QString &text)
{
    QString letters;
    for (const QChar c : text)
        if (c.isLetterOrNumber())
            letters.append(c.toLower());
    return letters;
}

QStringList fictionBookTitles(const QString &path)
{
    const auto bytes = UserFile::readBytes(path);
    if (!bytes)
        return {};
    QString text = QString::fromUtf8(*bytes);
    if (!bytes->contains("encoding=\"utf-8\"") && !bytes->contains("encoding=\"UTF-8\""))
        text = Codec::fromCp1251(*bytes);
    const qsizetype notes = text.indexOf(QStringLiteral("<body name=\"notes\""));
    if (notes > 0)
        text.truncate(notes);
    // The titles of the body and of its sections (a picture may come first).
    static const QRegularExpression title(
        QStringLiteral("<(?:section|body)[^>]*>\\s*(?:<image[^>]*/>\\s*)?<title>\\s*<p>(.*?)</p>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]+>"));
    QStringList titles;
    for (auto it = title.globalMatch(text); it.hasNext();)
        titles.append(spoken(it.next().captured(1).remove(tag)));
    return titles;
}

// The lines of the text that are headings, in order: the next of the
// section titles, or a line the expression matches.
QStringList textHeadings(const QString &text, const QStringList &sectionTitles, const QString &expression)
{
    const QRegularExpression heading(expression.isEmpty() ? QStringLiteral("^\\b$") : expression);
    QStringList headings;
    qsizetype nextTitle = 0;
    for (const QString &line : UserFile::splitLines(text)) {
        const QString words = spoken(line);
        if (nextTitle < sectionTitles.size() && !words.isEmpty() && words == sectionTitles[nextTitle]) {
            headings.append(words);
            ++nextTitle;
        } else if (heading.match(line).hasMatch()) {
            headings.append(words);
        }
    }
    return headings;
}

// The lines of a block that a listener hears, as `spoken` gives them.
QStringList spokenLines(const QString &block)
{
    QStringList lines;
    for (const QString &line : UserFile::splitLines(removeVoiceMarkers(block)))
        if (!spoken(line).isEmpty())
            lines.append(spoken(line));
    return lines;
}

struct Figures
{
    int blocks = 0;
    int headings = 0, headingsStarting = 0, elsewhere = 0, empty = 0;
    qint64 changed = 0;
    int narration = 0, narrationInDialogue = 0;
    double estimate = -1, recorded = -1;
};

void countHeadings(const QStringList &blocks, const QStringList &names, const QStringList &headings, Figures &f)
{
    static const QRegularExpression sizePart(QStringLiteral("\\(\\d+\\)$"));
    f.headings = int(headings.size());
    // Headings are met in book order; a block's lines are looked for among
    // the next few, as the same "I" or "Глава 1" comes back in every part of
    // a book. The headings a block begins with, before its first line of
    // text, begin it: a part and its first chapter begin one block.
    constexpr qsizetype kLookAhead = 8;
    qsizetype next = 0;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const QStringList lines = spokenLines(blocks[i]);
        bool begun = false;
        for (const QString &line : lines) {
            qsizetype at = headings.indexOf(line, next);
            if (at < 0 || at > next + kLookAhead)
                break;
            ++f.headingsStarting;
            if (qEnvironmentVariableIsSet("BOOK_QUALITY_DEBUG"))
                for (qsizetype k = next; k < at; ++k)
                    std::fprintf(stderr, "not begun: %s (before block %lld)\n", qPrintable(headings[k]),
                                 static_cast<long long>(i + 1));
            next = at + 1;
            begun = true;
        }
        if (!begun && i > 0 && !sizePart.match(names.value(i)).hasMatch()) {
            ++f.elsewhere;
            if (qEnvironmentVariableIsSet("BOOK_QUALITY_DEBUG"))
                std::fprintf(stderr, "elsewhere: block %lld %s / %s\n", static_cast<long long>(i + 1),
                             qPrintable(names.value(i)), qPrintable(lines.value(0).left(40)));
        }
    }
}

bool isStressAccent(QChar c)
{
    return c.unicode() == 0x0300 || c.unicode() == 0x0301 || QStringLiteral("áéóúýÁÉÓÚÝѐѝЀЍ").contains(c);
}

// Characters that reach the blocks as "?" or not at all; stress accents
// become the stress mark "+" by design and are not counted.
qint64 changedCharacters(const QString &source, const QString &blocks)
{
    const qint64 questionMarks = blocks.count(u'?') - source.count(u'?');
    QHash<QChar, qint64> outside;
    for (const QChar c : source)
        if (Codec::cp1251Code(c) < 0 && !isStressAccent(c) && !c.isSurrogate())
            ++outside[c];
    for (const QChar c : blocks)
        if (outside.contains(c))
            --outside[c];
    qint64 missing = 0;
    for (const qint64 n : outside)
        missing += std::max<qint64>(0, n);
    return std::max<qint64>({0, questionMarks, missing});
}

// The voice markers of a line, earliest first from `from`; the marker and
// its place, or -1.
qsizetype nextMarker(const QString &line, qsizetype from, const QString *&marker)
{
    qsizetype best = -1;
    for (const QString *m : {&VoiceMarker::narration, &VoiceMarker::speech, &VoiceMarker::speech2, &VoiceMarker::author,
                             &VoiceMarker::pause}) {
        const qsizetype at = line.indexOf(*m, from);
        if (at >= 0 && (best < 0 || at < best)) {
            best = at;
            marker = m;
        }
    }
    return best;
}

void countVoices(const QStringList &blocks, Figures &f)
{
    for (const QString &block : blocks) {
        bool dialogueVoice = false; // every block opens with the narration marker
        for (const QString &line : UserFile::splitLines(block)) {
            std::optional<bool> firstWordsInDialogue;
            qsizetype from = 0;
            for (;;) {
                const QString *marker = nullptr;
                const qsizetype at = nextMarker(line, from, marker);
                const QString before = line.mid(from, at < 0 ? -1 : at - from);
                if (!firstWordsInDialogue && !spoken(before).isEmpty())
                    firstWordsInDialogue = dialogueVoice;
                if (at < 0)
                    break;
                if (marker != &VoiceMarker::pause)
                    dialogueVoice = marker != &VoiceMarker::narration;
                from = at + marker->size();
            }
            const QString words = removeVoiceMarkers(line).trimmed();
            if (!firstWordsInDialogue || words.startsWith(u'-'))
                continue;
            ++f.narration;
            if (*firstWordsInDialogue)
                ++f.narrationInDialogue;
        }
    }
}

class CountingSink : public SpeechSink
{
public:
    void write(const char *, qint64 bytes) override { m_bytes += bytes; }
    qint64 bytes() const { return m_bytes; }

private:
    qint64 m_bytes = 0;
};

double recordedSeconds(const QString &programFolder, const QString &book, int blocks)
{
    Settings settings;
    loadSettings(settings, programFolder + QStringLiteral("/Lectorium.ini"));
    loadVoiceTable(programFolder);
    const BlockTextSource texts(settings, programFolder, nullptr);
    SpeechVoice voice;
    voice.selectVoice(settings.voiceIndex);
    auto sink = std::make_shared<CountingSink>();
    voice.setAudioOutputStream(sink);
    for (int n = 1; n <= blocks; ++n) {
        voice.speak(texts.blockText(n, true, true, book), SVSFIsXML);
        voice.waitUntilDone(-1);
    }
    return double(sink->bytes()) / voice.format().bytesPerSecond();
}

double printedEstimate(const QString &cliErrors)
{
    static const QRegularExpression estimate(QStringLiteral("длительность ~ (\\d+):(\\d\\d):(\\d\\d)"));
    const auto match = estimate.match(cliErrors);
    if (!match.hasMatch())
        return -1;
    return match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 + match.captured(3).toDouble();
}

QString hours(double seconds)
{
    return seconds < 0 ? QStringLiteral("—") : formatDuration(seconds);
}

int measure(const QString &cli, const QString &path, const QString &headingExpression, bool speak)
{
    QTemporaryDir programFolder;
    QProcess import;
    import.start(cli, {QStringLiteral("--program-folder"), programFolder.path(), QStringLiteral("import"), path});
    import.waitForFinished(-1);
    const QString book = QString::fromUtf8(import.readAllStandardOutput()).trimmed();
    const QString errors = QString::fromUtf8(import.readAllStandardError());
    if (import.exitCode() != 0 || book.isEmpty()) {
        std::fprintf(stderr, "%s: import failed\n%s", qPrintable(path), qPrintable(errors));
        return 1;
    }
    const QString folder = bookFolder(programFolder.path(), book);
    Figures f;
    f.blocks = countBlocks(folder);
    QStringList blocks, names;
    TagInfo info;
    BlockTitles titles;
    loadChapters(folder, book, f.blocks, info, titles);
    for (int n = 1; n <= f.blocks; ++n) {
        blocks.append(readBlockFile(folder, n));
        names.append(titles.title(n));
    }

    SilentDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);
    const QString source = loader.loadFile(path, fileTitle(path)).text;
    const QString name = QFileInfo(path).fileName();
    const QString expression = headingExpression.isEmpty() ? knownHeadings(name) : headingExpression;
    const QStringList sections = name.endsWith(QLatin1String(".fb2")) ? fictionBookTitles(path) : QStringList();
    const QStringList headings = textHeadings(source, sections, expression);
    countHeadings(blocks, names, headings, f);
    for (const QString &block : blocks)
        if (spoken(removeVoiceMarkers(block)).isEmpty())
            ++f.empty;
    f.changed = changedCharacters(source, blocks.join(QString()));
    countVoices(blocks, f);
    f.estimate = printedEstimate(errors);
    if (f.estimate < 0) // a program that prints none: its editor's label, 21 at 32,000 bytes a second
        f.estimate = 21.0 * 100 * source.size() / 32000;
    if (speak)
        f.recorded = recordedSeconds(programFolder.path(), book, f.blocks);

    const QString headingCell =
        headings.isEmpty() ? QStringLiteral("—") : QStringLiteral("%1 / %2").arg(f.headingsStarting).arg(f.headings);
    const QString deviation =
        f.recorded > 0 ? QStringLiteral(" (%1%)").arg(QString::number((f.estimate / f.recorded - 1) * 100, 'f', 0))
                       : QString();
    std::printf("| %s | %d | %s | %d | %d | %lld | %d / %d | %s | %s%s |\n", qPrintable(name), f.blocks,
                qPrintable(headingCell), f.elsewhere, f.empty, static_cast<long long>(f.changed), f.narrationInDialogue,
                f.narration, qPrintable(hours(f.estimate)), qPrintable(hours(f.recorded)), qPrintable(deviation));
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/lectorium-cli");
    QString headings;
    bool speak = true;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--no-speech"))
            speak = false;
        else if (option == QLatin1String("--cli") && !args.isEmpty())
            cli = args.takeFirst();
        else if (option == QLatin1String("--headings") && !args.isEmpty())
            headings = args.takeFirst();
    }
    if (args.isEmpty())
        for (const char *book : kDefaultBooks)
            args.append(QStringLiteral(LECTORIUM_SHARED_DATA "/") + QString::fromUtf8(book));
    std::printf("| book | blocks | real headings starting a block | blocks starting elsewhere | empty blocks | "
                "characters changed | narration lines in a dialogue voice | estimate | recorded |\n"
                "|---|---|---|---|---|---|---|---|---|\n");
    int failures = 0;
    for (const QString &path : args)
        failures += measure(cli, QFileInfo(path).absoluteFilePath(), headings, speak);
    return failures == 0 ? 0 : 1;
}
