#include "output_folder_check.h"

#include "common/user_dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Lectorium");

void reportInvalidName(UserDialogs &dialogs)
{
    dialogs.show({kTitle, QStringLiteral("Недопустимое имя каталога!"), DialogIcon::Critical, DialogButtons::Ok});
}

// A name the file system can never hold; mkpath would fail on it too, but
// the user is told before being asked whether to create it.
bool impossibleName(const QString &folder)
{
    return folder.contains(QChar(0));
}

} // namespace

OutputFolderCheck checkOutputFolder(const QString &text, const QString &programFolder, UserDialogs &dialogs)
{
    OutputFolderCheck result{text};
    if (text.size() < 2)
        result.text = programFolder + QStringLiteral("/Audiobooks");
    QString folder = result.text;
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (QFileInfo(folder).isDir())
        return result;
    if (impossibleName(folder)) {
        reportInvalidName(dialogs);
        result.keepFocus = true;
        return result;
    }
    const DialogAnswer answer = dialogs.show(
        {kTitle, QStringLiteral("Каталог \"") + folder + QStringLiteral("\" не существует. Создать его?"),
         DialogIcon::Question, DialogButtons::YesNo});
    if (answer != DialogAnswer::Yes) {
        result.keepFocus = true;
        return result;
    }
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        reportInvalidName(dialogs);
        result.keepFocus = true;
    }
    return result;
}
