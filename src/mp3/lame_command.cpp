#include "mp3/lame_command.h"

#include "mp3/tag_module.h"
#include "mp3/wav_duration.h"

#include "app/project_cover.h"
#include "app/project_store.h"

#include "common/outside_program.h"
#include "common/program_folder.h"

#include <QFileInfo>
#include <QProcess>

namespace {

QProcessEnvironment utf8Environment()
{
    // The encoder converts tag texts from the locale's character set; the
    // user's locale may not be UTF-8, ours always hands it UTF-8.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

// A relative path beginning with "-" would read as an option.
QString safePathArgument(const QString &path)
{
    return path.startsWith(u'-') ? QStringLiteral("./") + path : path;
}

QString quoted(const QString &value)
{
    return u'"' + value + u'"';
}

} // namespace

QString lameProgram(const QString &programFolder)
{
    return outsideProgram(programFolder, QStringLiteral("lame"));
}

std::optional<EncoderCommand> encoderCommand(BookAudio &book, int n)
{
    const Settings &s = book.settings;
    EncoderCommand command;
    command.wavPath = book.audioFolder + u'/' + wavFileName(book, n);
    const QFileInfo wav(command.wavPath);
    if (wav.exists() && wav.size() <= kEmptyWavBytes)
        return std::nullopt;
    const QString duration = wavDuration(command.wavPath);
    command.mp3Path = book.audioFolder + u'/' + mp3FileName(book, n, duration);
    command.partPath = command.mp3Path + kPartialMp3Suffix;

    const QString program = lameProgram(book.programFolder);
    QStringList arguments = QProcess::splitCommand(s.lameParameters);
    QString tagSwitches = QStringLiteral(" ");
    if (s.id3Tags) {
        Id3Tags tags = id3TagsFor(s, book.info, book.libraryName, duration);
        tags.coverPath = projectCoverPath(bookFolder(book.programFolder, book.libraryName));
        tagSwitches = tags.switches();
        arguments += tags.arguments();
    }
    arguments << safePathArgument(command.wavPath) << safePathArgument(command.partPath);

    command.commandLine =
        program + u' ' + s.lameParameters + tagSwitches + quoted(command.wavPath) + u' ' + quoted(command.partPath);
    command.request.program = program;
    command.request.arguments = arguments;
    command.request.priority = s.lamePriority;
    command.request.environment = utf8Environment();
    return command;
}
