#include "import/word_converter.h"

#include "import/converter_run.h"

#include "common/user_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

QString findLibreOffice()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString path = findConverter(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

LibreOfficeConverter::LibreOfficeConverter(QString program, int timeoutSeconds)
    : m_program(std::move(program)), m_timeoutSeconds(timeoutSeconds)
{ }

WordConversion LibreOfficeConverter::convertToRtf(const QString &documentPath)
{
    QTemporaryDir work;
    if (!work.isValid())
        return {WordConversionOutcome::Failed, {}};
    const QString outputFolder = work.filePath(QStringLiteral("out"));
    const QString profileFolder = work.filePath(QStringLiteral("profile"));
    QDir().mkpath(outputFolder);

    // An absolute path never starts with "-", so it is never read as an option.
    const QStringList arguments = {QStringLiteral("--headless"),
                                   QStringLiteral("--norestore"),
                                   QStringLiteral("--nolockcheck"),
                                   QStringLiteral("-env:UserInstallation=")
                                       + QUrl::fromLocalFile(profileFolder).toString(),
                                   QStringLiteral("--convert-to"),
                                   QStringLiteral("rtf"),
                                   QStringLiteral("--outdir"),
                                   outputFolder,
                                   QFileInfo(documentPath).absoluteFilePath()};
    switch (runConverter(m_program, arguments, m_timeoutSeconds, work.path()).outcome) {
    case ConverterOutcome::Missing: return {WordConversionOutcome::ConverterMissing, {}};
    case ConverterOutcome::TimedOut: return {WordConversionOutcome::TimedOut, {}};
    case ConverterOutcome::Finished:
    case ConverterOutcome::Failed: break;
    }
    // LibreOffice may end with code 0 without writing anything, so the
    // written file is what counts.
    const QFileInfoList written = QDir(outputFolder).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files);
    if (written.isEmpty())
        return {WordConversionOutcome::Failed, {}};
    const auto rtf = UserFile::readBytes(written.first().absoluteFilePath());
    if (!rtf || rtf->isEmpty())
        return {WordConversionOutcome::Failed, {}};
    return {WordConversionOutcome::Converted, *rtf};
}
