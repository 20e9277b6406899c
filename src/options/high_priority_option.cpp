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
    dialogs.show({QStringLiteral("Путь к SpeechCube.exe"),
                  QStringLiteral("Укажите путь к файлу SpeechCube.exe...\nОн должн быть где-то в:\n"
                                 "Program Files\\ELAN Speech\\Speech Cube\\Bin\\"),
                  DialogIcon::Exclamation, DialogButtons::Ok});
}

QString speechProgramSearchFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../ELAN Speech/Speech Cube/Bin"));
}
