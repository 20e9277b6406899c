#include "import/pdf_book.h"

#include "import/converter_run.h"
#include "import/pdf_text.h"

#include "common/user_file.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The text of a file a tool wrote, as UTF-8; empty when there is none.
QString writtenText(const QString &path)
{
    const auto bytes = UserFile::readBytes(path);
    return bytes ? QString::fromUtf8(*bytes) : QString();
}

PdfMetadata readMetadata(const QString &pdf, int timeoutSeconds)
{
    const ConverterRun info =
        runConverter(findConverter(QStringLiteral("pdfinfo")), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf},
                     timeoutSeconds, {}, true);
    return info.outcome == ConverterOutcome::Finished ? pdfMetadata(QString::fromUtf8(info.standardOutput))
                                                      : PdfMetadata();
}

// The outline, when the PDF has one: pdftohtml writes it after the first
// page's text, which is all it is asked for.
QStringList readOutline(const QString &pdf, const QTemporaryDir &work, int timeoutSeconds)
{
    const QString base = work.filePath(QStringLiteral("outline"));
    const ConverterRun run = runConverter(findConverter(QStringLiteral("pdftohtml")),
                                          {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-q"),
                                           QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
                                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, base},
                                          timeoutSeconds, work.path());
    if (run.outcome != ConverterOutcome::Finished)
        return {};
    return pdfOutlineTitles(writtenText(base + QStringLiteral(".xml")));
}

} // namespace

PdfBook readPdfBook(const QString &path, int timeoutSeconds)
{
    PdfBook book;
    QTemporaryDir work;
    const QString pdf = QFileInfo(path).absoluteFilePath(); // never read as an option
    const QString textFile = work.filePath(QStringLiteral("text.txt"));
    const ConverterRun run =
        runConverter(findConverter(QStringLiteral("pdftotext")),
                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, textFile}, timeoutSeconds, work.path());
    switch (run.outcome) {
    case ConverterOutcome::Finished: break;
    case ConverterOutcome::Missing: book.problem = PdfProblem::ToolMissing; return book;
    case ConverterOutcome::Failed: book.problem = PdfProblem::Unreadable; return book;
    case ConverterOutcome::TimedOut: book.problem = PdfProblem::TimedOut; return book;
    }
    const QString output = writtenText(textFile);
    if (pdfHasNoText(output)) {
        book.problem = PdfProblem::NoText;
        return book;
    }
    book.text = pdfBookText(withoutPageFurniture(pdfPages(output)), readOutline(pdf, work, timeoutSeconds));
    const PdfMetadata metadata = readMetadata(pdf, timeoutSeconds);
    book.information.title = metadata.title;
    book.information.authors = metadata.author;
    return book;
}
