#include "mp3/book_output_files.h"

#include "mp3/lame_command.h"

#include <QFile>
#include <QFileInfo>

QString BookOutputFiles::wavFileName(int n)
{
    return ::wavFileName(m_book, n);
}

bool BookOutputFiles::mp3Exists(int n)
{
    return ::mp3Exists(m_book, n);
}

std::optional<ProcessRequest> BookOutputFiles::encoderJob(int n)
{
    auto command = encoderCommand(m_book, n);
    if (!command)
        return std::nullopt;
    m_mp3Paths.insert(n, command->mp3Path);
    return command->request;
}

bool BookOutputFiles::mp3Written(int n)
{
    const QFileInfo mp3(m_mp3Paths.value(n));
    return !mp3.filePath().isEmpty() && mp3.isFile() && mp3.size() > 0;
}

void BookOutputFiles::discardMp3(int n)
{
    const QString path = m_mp3Paths.value(n);
    if (!path.isEmpty())
        QFile::remove(path);
}
