#include "import/word_converter.h"

#include "common/process_runner.h"
#include "common/user_file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

constexpr int kPollMilliseconds = 100;

} // namespace

QString findLibreOffice()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
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
    if (m_program.isEmpty() || !QFileInfo(m_program).isExecutable())
        return {WordConversionOutcome::ConverterMissing, {}};
    QTemporaryDir work;
    if (!work.isValid())
        return {WordConversionOutcome::Failed, {}};
    const QString outputFolder = work.filePath(QStringLiteral("out"));
    const QString profileFolder = work.filePath(QStringLiteral("profile"));
    QDir().mkpath(outputFolder);

    ProcessRequest request;
    request.program = m_program;
    // An absolute path never starts with "-", so it is never read as an option.
    request.arguments = {QStringLiteral("--headless"),
                         QStringLiteral("--norestore"),
                         QStringLiteral("--nolockcheck"),
                         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileFolder).toString(),
                         QStringLiteral("--convert-to"),
                         QStringLiteral("rtf"),
                         QStringLiteral("--outdir"),
                         outputFolder,
                         QFileInfo(documentPath).absoluteFilePath()};
    request.workingDirectory = work.path();
    ProcessRunner runner;
    if (!runner.runProcess(request))
        return {WordConversionOutcome::ConverterMissing, {}};

    const QDeadlineTimer deadline{std::chrono::seconds(m_timeoutSeconds)};
    while (!runner.waitForEnd(kPollMilliseconds)) {
        if (deadline.hasExpired()) {
            runner.terminate();
            return {WordConversionOutcome::TimedOut, {}};
        }
        QCoreApplication::processEvents();
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
