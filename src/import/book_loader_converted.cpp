// The book loader's formats that outside programs read: PDF through
// poppler's tools, Kindle books and the like through calibre.

#include "import/book_loader.h"

#include "import/calibre_book.h"
#include "import/pdf_book.h"

#include <QTemporaryDir>

std::optional<QString> BookLoader::loadPdf(const QString &path, BookLoadResult &result)
{
    showStatus(QStringLiteral("Конвертация файла..."));
    const PdfBook book = readPdfBook(path);
    switch (book.problem) {
    case PdfProblem::None: break;
    case PdfProblem::ToolMissing:
        fail(QStringLiteral("Конвертация файла: не найдена программа pdftotext"),
             QStringLiteral("Для чтения PDF нужна программа pdftotext из пакета poppler-utils, но она не найдена.\n"
                            "Установите пакет poppler-utils и откройте файл снова:\n%1")
                 .arg(path));
        return std::nullopt;
    case PdfProblem::Unreadable:
        fail(QStringLiteral("Конвертация файла: PDF не прочитан"),
             QStringLiteral("pdftotext не смог прочитать PDF (файл повреждён или защищён паролем):\n%1").arg(path));
        return std::nullopt;
    case PdfProblem::TimedOut:
        fail(QStringLiteral("Конвертация файла: pdftotext не ответил"),
             QStringLiteral("pdftotext не закончил чтение PDF за %1 с, оно прервано:\n%2")
                 .arg(kPdfTimeoutSeconds)
                 .arg(path));
        return std::nullopt;
    case PdfProblem::NoText:
        fail(QStringLiteral("Конвертация файла: в PDF нет текста"),
             QStringLiteral("В PDF нет текста: это отсканированные страницы.\n"
                            "Распознайте текст программой распознавания и откройте результат:\n%1")
                 .arg(path));
        return std::nullopt;
    }
    showStatus(QString());
    if (!book.information.title.isEmpty() || !book.information.authors.isEmpty())
        result.information = book.information;
    return book.text;
}

std::optional<QString> BookLoader::loadThroughCalibre(const QString &path, BookLoadResult &result)
{
    QTemporaryDir work;
    if (!work.isValid()) {
        reportUnreadable(path);
        return std::nullopt;
    }
    showStatus(QStringLiteral("Конвертация файла через calibre..."));
    const CalibreConversion conversion = convertToEpub(path, work.path());
    switch (conversion.outcome) {
    case ConverterOutcome::Finished: break;
    case ConverterOutcome::Missing:
        fail(QStringLiteral("Конвертация файла: не найден calibre"),
             QStringLiteral("Книги MOBI, AZW3, FB3 и DjVu читаются через программу ebook-convert из пакета calibre, "
                            "но она не найдена.\n"
                            "Установите пакет calibre (sudo apt install calibre) и откройте файл снова:\n%1")
                 .arg(path));
        return std::nullopt;
    case ConverterOutcome::Failed:
        fail(QStringLiteral("Конвертация файла: ошибка calibre"),
             QStringLiteral("calibre не смог преобразовать книгу (файл повреждён или защищён от копирования):\n%1")
                 .arg(path));
        return std::nullopt;
    case ConverterOutcome::TimedOut:
        fail(QStringLiteral("Конвертация файла: calibre не ответил"),
             QStringLiteral("calibre не закончил преобразование книги за %1 с, оно прервано:\n%2")
                 .arg(kCalibreTimeoutSeconds)
                 .arg(path));
        return std::nullopt;
    }
    // From here on the book is the EPUB calibre made of it.
    m_bookKind = BookFileKind::Epub;
    return loadEpub(conversion.epubPath, result);
}
