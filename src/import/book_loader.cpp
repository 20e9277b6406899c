#include "import/book_loader.h"

#include "import/book_line_breaks.h"
#include "import/epub_book.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"
#include "import/html_converter.h"
#include "import/rtf_paragraph_text.h"
#include "import/rtf_reader.h"
#include "import/text_file_loader.h"
#include "import/word_converter.h"
#include "import/zip_archive.h"
#include "import/zipped_book.h"

#include "common/user_dialogs.h"
#include "common/user_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kConverting = QStringLiteral("Конвертация файла...");
const QString kConverted = QStringLiteral("Конвертация файла: Ok!");
// Followed by the reading notes, which say what is wrong with the letters.
const QString kImplausible = QStringLiteral("Конвертация файла:");
const QString kMessageTitle = QStringLiteral("Загрузка книги");
const QString kPasteTitlePrompt = QStringLiteral("Введите название книги!");
const QString kBrokenCover = QStringLiteral("Обложка книги повреждена и пропущена.");

// Control characters that only binary junk brings into a book (the
// converters' own ones are gone by now); tab, line and page breaks stay.
bool isJunkControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 32 && u != u'\t' && u != u'\r' && u != u'\n' && u != 12;
}

QString withoutJunkControls(QString text)
{
    text.removeIf(isJunkControl);
    return text;
}

bool hasReadableText(const QString &text)
{
    for (const QChar c : text)
        if (!c.isSpace())
            return true;
    return false;
}

} // namespace

QString fileTitle(const QString &Filename1)
{
    const qsizetype separator =
        std::max(Filename1.lastIndexOf(QLatin1Char('/')), Filename1.lastIndexOf(QLatin1Char('\\')));
    return Filename1.mid(separator + 1);
}

BookLoader::BookLoader(UserDialogs &dialogs, WordConverter &wordConverter)
    : m_dialogs(dialogs), m_wordConverter(wordConverter)
{ }

void BookLoader::setStatusListener(std::function<void(const QString &)> listener)
{
    m_statusListener = std::move(listener);
}

BookLoadResult BookLoader::loadFile(const QString &InFileName, const QString &InFileNm, BookFileEncoding encoding)
{
    BookLoadResult result;
    m_failureStatus.clear();
    m_encoding = encoding;
    m_reading = ReadingReport();
    m_coverNote.clear();
    m_bookKind = bookFileKind(InFileName);
    m_bookName = InFileNm;
    std::optional<QString> text = loadByKind(m_bookKind, InFileName, result);
    if (text)
        text = withoutJunkControls(*text);
    if (text && !hasReadableText(*text)) {
        fail(QStringLiteral("Конвертация файла: текст не найден"),
             QStringLiteral("В файле не найден текст:\n%1").arg(InFileName));
        text.reset();
    }
    if (text) {
        result.loaded = true;
        result.text = *text;
        result.sourcePath = InFileName;
        result.title = bookFileStem(m_bookName);
        // A book that names itself (a FictionBook's title) is proposed by that name.
        if (result.information && !result.information->title.trimmed().isEmpty())
            result.title = result.information->title.trimmed();
        result.indentsMarked = m_bookKind == BookFileKind::Rtf || m_bookKind == BookFileKind::Word;
        result.sectionsMarked = m_bookKind == BookFileKind::FictionBook || m_bookKind == BookFileKind::Epub;
        result.encodingChoosable = m_bookKind == BookFileKind::Text || m_bookKind == BookFileKind::Html
                                   || m_bookKind == BookFileKind::FictionBook;
        if (result.encodingChoosable)
            result.encoding = m_reading.encoding;
        result.lettersImplausible = m_reading.implausibleLetters;
    } else {
        result.information.reset();
        result.cover.reset();
    }
    if (text)
        reportIncompleteReading(InFileName);
    if (!m_failureStatus.isEmpty())
        result.status = m_failureStatus;
    else
        result.status = result.lettersImplausible ? kImplausible : kConverted;
    if (text)
        result.readingNotes = m_reading.notes();
    if (!result.readingNotes.isEmpty())
        result.status += u' ' + result.readingNotes;
    if (result.loaded && !m_coverNote.isEmpty())
        result.status += u' ' + m_coverNote;
    showStatus(result.status);
    return result;
}

// The text that was read is kept, but the user must know it is not all.
void BookLoader::reportIncompleteReading(const QString &path)
{
    if (m_reading.complete)
        return;
    m_dialogs.show({kMessageTitle,
                    QStringLiteral("Файл прочитан не полностью: разбор остановился на %1% файла, "
                                   "дальше текст не загружен.\n%2")
                        .arg(m_reading.percentRead)
                        .arg(path),
                    DialogIcon::Exclamation, DialogButtons::Ok});
}

std::optional<QString> BookLoader::loadByKind(BookFileKind kind, const QString &path, BookLoadResult &result)
{
    switch (kind) {
    case BookFileKind::Html: return loadHtml(path);
    case BookFileKind::FictionBook: return loadFictionBook(path, result);
    case BookFileKind::Word: return loadWord(path);
    case BookFileKind::Rtf: return loadRtf(path);
    case BookFileKind::Text: return loadPlainText(path);
    case BookFileKind::Epub: return loadEpub(path, result);
    case BookFileKind::Zip: return loadZipped(path, result);
    case BookFileKind::Pdf: return loadPdf(path, result);
    case BookFileKind::Calibre: return loadThroughCalibre(path, result);
    case BookFileKind::None: break;
    }
    fail(QStringLiteral("Конвертация файла: формат не поддерживается"),
         QStringLiteral("Этот формат файла не поддерживается:\n%1\n\n"
                        "Откройте книгу в формате TXT, RTF, DOC, DOCX, ODT, HTML, FB2, EPUB, PDF, MOBI, AZW3 или ZIP.")
             .arg(path));
    return std::nullopt;
}

BookLoadResult BookLoader::loadPaste(const QByteArray &clipboardRtf, const QString &clipboardText)
{
    BookLoadResult result;
    QString text = clipboardRtf.isEmpty() ? QString() : rtfPlainText(readRtf(clipboardRtf));
    if (text.isEmpty())
        text = clipboardText;
    if (text.isEmpty())
        return result;
    result.loaded = true;
    result.text = text;
    result.title = kPasteTitlePrompt;
    return result;
}

std::optional<QString> BookLoader::loadPlainText(const QString &path)
{
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    return normaliseLineBreaks(decodeTextBook(*bytes, &m_reading, m_encoding));
}

std::optional<QString> BookLoader::loadHtml(const QString &path)
{
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    showStatus(kConverting);
    return normaliseLineBreaks(htmlToText(prepareHtml(*bytes), &m_reading, m_encoding));
}

std::optional<QString> BookLoader::loadRtf(const QString &path)
{
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    const RtfDocument document = readRtf(*bytes);
    if (!document.isRtf) {
        fail(QStringLiteral("Конвертация файла: это не документ RTF"),
             QStringLiteral("Файл не является документом RTF:\n%1").arg(path));
        return std::nullopt;
    }
    return rtfParagraphText(document);
}

std::optional<QString> BookLoader::loadWord(const QString &path)
{
    if (!QFileInfo(path).isFile() || !QFileInfo(path).isReadable()) {
        reportUnreadable(path);
        return std::nullopt;
    }
    // Many ".doc" files are RTF under another name: read them as such,
    // without starting LibreOffice.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.peek(5) == "{\\rtf") {
        file.close();
        m_bookKind = BookFileKind::Rtf;
        return loadRtf(path);
    }
    showStatus(kConverting);
    const WordConversion conversion = m_wordConverter.convertToRtf(path);
    switch (conversion.outcome) {
    case WordConversionOutcome::Converted: break;
    case WordConversionOutcome::ConverterMissing:
        fail(QStringLiteral("Конвертация файла: не найден LibreOffice"),
             QStringLiteral("Для чтения документов Word нужен LibreOffice Writer, но он не найден.\n"
                            "Установите LibreOffice и откройте файл снова:\n%1")
                 .arg(path));
        return std::nullopt;
    case WordConversionOutcome::Failed:
        fail(QStringLiteral("Конвертация файла: ошибка LibreOffice"),
             QStringLiteral("LibreOffice не смог преобразовать документ:\n%1").arg(path));
        return std::nullopt;
    case WordConversionOutcome::TimedOut:
        fail(QStringLiteral("Конвертация файла: LibreOffice не ответил"),
             QStringLiteral("LibreOffice не закончил преобразование документа за %1 с, оно прервано:\n%2")
                 .arg(m_wordConverter.timeoutSeconds())
                 .arg(path));
        return std::nullopt;
    }
    return rtfParagraphText(readRtf(conversion.rtf));
}

std::optional<QString> BookLoader::loadFictionBook(const QString &path, BookLoadResult &result)
{
    auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    showStatus(kConverting);
    const QString fileText = decodeFb2File(*bytes, &m_reading, m_encoding);
    bytes.reset(); // the text is all that is read from here on
    const QString text = fb2ToText(fileText, &m_reading);
    showStatus(QString());
    result.information = fb2Information(readFb2Description(fileText));
    keepCover(fb2CoverImage(fileText), result);
    return text;
}

std::optional<QString> BookLoader::loadEpub(const QString &path, BookLoadResult &result)
{
    showStatus(kConverting);
    const EpubBook book = readEpubBook(path);
    switch (book.problem) {
    case EpubProblem::None: break;
    case EpubProblem::Archive:
        fail(QStringLiteral("Конвертация файла: книга EPUB не открыта"), zipProblemMessage(book.archiveProblem, path));
        return std::nullopt;
    case EpubProblem::NoPackage:
        fail(QStringLiteral("Конвертация файла: книга EPUB повреждена"),
             QStringLiteral("В книге EPUB не найдено описание содержимого (файл OPF) или страницы текста:\n%1")
                 .arg(path));
        return std::nullopt;
    case EpubProblem::Protected:
        fail(QStringLiteral("Конвертация файла: книга защищена (DRM)"),
             QStringLiteral("Книга защищена от копирования (DRM), её текст зашифрован и не может быть прочитан:\n%1\n\n"
                            "Откройте книгу без защиты.")
                 .arg(path));
        return std::nullopt;
    }
    showStatus(QString());
    result.information = fb2Information(book.description);
    keepCover(book.coverImage, result);
    return book.text;
}

std::optional<QString> BookLoader::loadZipped(const QString &path, BookLoadResult &result)
{
    ZipArchive archive(path);
    if (!archive.isOpen()) {
        fail(QStringLiteral("Конвертация файла: архив не открыт"), zipProblemMessage(archive.problem(), path));
        return std::nullopt;
    }
    const QStringList books = bookEntries(archive.names());
    if (books.isEmpty()) {
        fail(QStringLiteral("Конвертация файла: в архиве нет книги"),
             hasNestedArchive(archive.names())
                 ? QStringLiteral("В архиве только другие архивы; архив в архиве не открывается:\n%1").arg(path)
                 : QStringLiteral("В архиве нет книги в формате TXT, RTF, DOC, HTML или FB2:\n%1").arg(path));
        return std::nullopt;
    }
    int chosen = 0;
    if (books.size() > 1) {
        chosen = m_dialogs.choose({kMessageTitle, QStringLiteral("В архиве несколько книг. Какую открыть?"), books});
        if (chosen < 0 || chosen >= books.size()) {
            m_failureStatus = QStringLiteral("Конвертация файла: отменена");
            return std::nullopt;
        }
    }
    const auto bytes = archive.read(books[chosen]);
    QTemporaryDir unpacked;
    m_bookName = fileTitle(books[chosen]);
    m_bookKind = bookFileKind(m_bookName);
    // The book is unpacked under a name of our own: the archive's name for
    // it may climb out of the folder ("../") or be anything at all.
    const QString bookPath = unpacked.filePath(QStringLiteral("book.") + m_bookName.section(u'.', -1));
    if (!bytes) {
        fail(QStringLiteral("Конвертация файла: архив не открыт"), zipProblemMessage(archive.problem(), path));
        return std::nullopt;
    }
    if (!unpacked.isValid() || !UserFile::writeBytes(bookPath, *bytes)) {
        fail(QStringLiteral("Конвертация файла: архив не распакован"),
             QStringLiteral("Не удалось распаковать книгу из архива во временную папку:\n%1").arg(path));
        return std::nullopt;
    }
    return loadByKind(m_bookKind, bookPath, result);
}

void BookLoader::keepCover(const std::optional<QByteArray> &image, BookLoadResult &result)
{
    if (!image)
        return;
    result.cover = coverFromImage(*image);
    if (!result.cover)
        m_coverNote = kBrokenCover;
}

std::optional<QByteArray> BookLoader::readFile(const QString &path)
{
    // Only a regular file is opened: a named pipe would wait for a writer
    // for ever, a folder or a device gives no book.
    std::optional<QByteArray> bytes;
    if (QFileInfo(path).isFile())
        bytes = UserFile::readBytes(path);
    if (!bytes)
        reportUnreadable(path);
    return bytes;
}

void BookLoader::reportUnreadable(const QString &path)
{
    fail(QStringLiteral("Конвертация файла: файл не открыт"), QStringLiteral("Не удалось открыть файл:\n%1").arg(path));
}

void BookLoader::fail(const QString &status, const QString &message)
{
    m_failureStatus = status;
    showStatus(status);
    m_dialogs.show({kMessageTitle, message, DialogIcon::Exclamation, DialogButtons::Ok});
}

void BookLoader::showStatus(const QString &status)
{
    if (m_statusListener)
        m_statusListener(status);
}
