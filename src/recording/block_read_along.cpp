#include "recording/block_read_along.h"

#include "common/user_file.h"
#include "recording/read_along.h"
#include "recording/speech/cube_markup.h"

#include <QFile>
#include <QFileInfo>

QString readAlongPathFor(const QString &audioPath, const QString &suffix)
{
    const QFileInfo audio(audioPath);
    const QString stem = audio.suffix().isEmpty() ? audioPath : audioPath.chopped(audio.suffix().size() + 1);
    return stem + u'.' + suffix;
}

bool writeBlockReadAlong(const QString &wavPath, const SpokenBlock &block, const SpeechTimeline &timeline, bool words)
{
    const QList<SpeechPiece> pieces = block.xml             ? parseSapiXml(block.text)
                                      : block.speechProgram ? parseCubeMarkup(block.text)
                                                            : plainTextPieces(block.text);
    ReadAlongTags tags;
    tags.lengthSeconds = timeline.seconds();
    const QString lrc = lrcText(readAlongLines(pieces, timeline.spans()), tags, words);
    return UserFile::writeBytes(readAlongPathFor(wavPath),
                                QString(lrc).replace(u'\n', QStringLiteral("\r\n")).toUtf8());
}

void moveReadAlongToAudio(const QString &wavPath, const QString &mp3Path)
{
    const QString written = readAlongPathFor(wavPath);
    if (!QFileInfo(written).isFile())
        return;
    const QString beside = readAlongPathFor(mp3Path);
    if (written == beside)
        return;
    QFile::remove(beside);
    QFile::rename(written, beside);
}
