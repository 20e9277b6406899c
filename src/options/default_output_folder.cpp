#include "options/default_output_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString defaultOutputFolder()
{
    const QString home = QDir::homePath();
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    // A desktop without a music folder of its own names the home folder, or
    // a "Music" folder nobody made.
    const bool ownMusicFolder = !music.isEmpty() && QFileInfo(music).isDir()
                                && QFileInfo(music).canonicalFilePath() != QFileInfo(home).canonicalFilePath();
    return (ownMusicFolder ? music : home) + QStringLiteral("/Аудиокниги");
}

QString outputFolderOrDefault(const QString &chosen)
{
    return chosen.size() < 2 ? defaultOutputFolder() : chosen;
}
