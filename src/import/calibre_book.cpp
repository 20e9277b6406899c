#include "import/calibre_book.h"

#include <QDir>
#include <QFileInfo>

QString findEbookConvert()
{
    return findConverter(QStringLiteral("ebook-convert"));
}

CalibreConversion convertToEpub(const QString &bookPath, const QString &outputFolder, int timeoutSeconds)
{
    const QString epub = QDir(outputFolder).filePath(QStringLiteral("book.epub"));
    // Absolute paths never start with "-", so neither is read as an option.
    const ConverterRun run =
        runConverter(findEbookConvert(), {QFileInfo(bookPath).absoluteFilePath(), epub}, timeoutSeconds, outputFolder);
    if (run.outcome != ConverterOutcome::Finished)
        return {run.outcome, {}};
    if (!QFileInfo(epub).isFile() || QFileInfo(epub).size() == 0)
        return {ConverterOutcome::Failed, {}};
    return {ConverterOutcome::Finished, epub};
}
