#include "options/output_folder_check.h"

#include "common/user_dialogs.h"
#include "options/default_output_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Lectorium");

void reportInvalidName(UserDialogs &dialogs)
{
    dialogs.show({kTitle, QStringLiteral("Недопустимое имя каталога!"), DialogIcon::Critical, DialogButtons::Ok});
}

} // namespace

OutputFolderCheck checkOutputFolder(const QString &text, UserDialogs &dialogs)
{
    OutputFolderCheck result{outputFolderOrDefault(text)};
    QString folder = result.text;
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    if (QFileInfo(folder).isDir())
        return result;
    const DialogAnswer answer =
        dialogs.show({kTitle, QStringLiteral("Каталог \"") + folder + QStringLiteral("\" не существует. Создать его?"),
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
