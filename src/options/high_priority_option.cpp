#include "options/high_priority_option.h"

#include "common/user_dialogs.h"

#include <QDir>
#include <QFileInfo>

bool isSpeechCubeVoice(const QString &description)
{
    return description.contains(QStringLiteral("Cube"));
}

void warnPriorityNeedsRestart(UserDialogs &dialogs)
{
    dialogs.show({QStringLiteral("Изменение приоритета процесса Speech Cube"),
                  QStringLiteral("Необходимо перезапустить программу.\nВ случае проблем при последующем запуске "
                                 "отредактируйте или удалите файл Lectorium.ini..."),
                  DialogIcon::Exclamation, DialogButtons::Ok});
}

bool speechProgramFound(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void askForSpeechProgram(UserDialogs &dialogs)
{
    dialogs.show({QStringLiteral("Программа синтеза речи"),
                  QStringLiteral("Укажите программу синтеза речи, которую запускает голос Speech Cube..."),
                  DialogIcon::Exclamation, DialogButtons::Ok});
}

QString speechProgramSearchFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../ELAN Speech/Speech Cube/Bin"));
}
