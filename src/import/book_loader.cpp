#include "import/book_loader.h"

#include "import/book_line_breaks.h"
#include "import/fb2_file.h"
#include "import/fb2_to_text.h"
#include "import/html_converter.h"
#include "import/rtf_paragraph_text.h"
#include "import/rtf_reader.h"
#include "import/text_file_loader.h"
#include "import/word_converter.h"

#include "common/user_dialogs.h"
#include "common/user_file.h"

#include <QFileInfo>

namespace {

const QString kConverting = QStringLiteral("Конвертация файла...");
const QString kConverted = QStringLiteral("Конвертация файла: Ok!");
const QString kMessageTitle = QStringLiteral("Загрузка книги");
const QString kPasteTitlePrompt = QStringLiteral("Введите название книги!");

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

BookLoadResult BookLoader::loadFile(const QString &InFileName, const QString &InFileNm)
{
    BookLoadResult result;
    m_failureStatus.clear();
    const QString ext = InFileName.right(4).toLower();
    m_reading = ReadingReport();
    std::optional<QString> text = loadByExtension(ext, InFileName, result);
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
        result.title = InFileNm.left(InFileNm.size() - (ext == u"html" ? 5 : 4));
        // A book that names itself (a FictionBook's title) is proposed by that name.
        if (result.information && !result.information->title.trimmed().isEmpty())
            result.title = result.information->title.trimmed();
        result.indentsMarked = ext == u".rtf" || ext == u".doc";
        result.sectionsMarked = ext == u".fb2";
    } else {
        result.information.reset();
    }
    if (text)
        reportIncompleteReading(InFileName);
    result.status = m_failureStatus.isEmpty() ? kConverted : m_failureStatus;
    if (text)
        result.readingNotes = m_reading.notes();
    if (!result.readingNotes.isEmpty())
        result.status += u' ' + result.readingNotes;
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

std::optional<QString> BookLoader::loadByExtension(const QString &ext, const QString &path, BookLoadResult &result)
{
    if (ext == u"html" || ext == u".htm")
        return loadHtml(path);
    if (ext == u".fb2")
        return loadFictionBook(path, result);
    if (ext == u".doc")
        return loadWord(path);
    if (ext == u".rtf")
        return loadRtf(path);
    if (ext == u".txt")
        return loadPlainText(path);
    fail(QStringLiteral("Конвертация файла: формат не поддерживается"),
         QStringLiteral("Этот формат файла не поддерживается:\n%1\n\n"
                        "Откройте книгу в формате TXT, RTF, DOC, HTML или FB2.")
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
    return normaliseLineBreaks(decodeTextBook(*bytes, &m_reading));
}

std::optional<QString> BookLoader::loadHtml(const QString &path)
{
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    showStatus(kConverting);
    return normaliseLineBreaks(htmlToText(prepareHtml(*bytes), &m_reading));
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
    const auto bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    showStatus(kConverting);
    const QString fileText = decodeFb2File(*bytes, &m_reading);
    const QString text = fb2ToText(fileText, &m_reading);
    showStatus(QString());
    result.information = fb2Information(readFb2Description(fileText));
    return text;
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
