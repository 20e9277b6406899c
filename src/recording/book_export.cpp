#include "recording/book_export.h"

#include "app/project_store.h"
#include "common/text_codec.h"
#include "common/user_file.h"
#include "recording/voice_markup.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Экспорт");

} // namespace

QString exportFileFilters()
{
    return QStringLiteral("Текстовые файлы (*.txt);;XML (*.xml)");
}

bool exportBook(const QString &programFolder, const QString &book, const QString &target, ExportFormat format,
                Settings &settings, UserDialogs &dialogs)
{
    if (QFileInfo::exists(target)) {
        const DialogMessage replace{
            kTitle, u'"' + QDir::toNativeSeparators(target) + QStringLiteral("\" уже существует.\nЗаменить?"),
            DialogIcon::Question, DialogButtons::YesNo};
        if (dialogs.show(replace) != DialogAnswer::Yes)
            return false;
    }
    const QString folder = bookFolder(programFolder, book);
    const int blocks = countBlocks(folder);
    QString all;
    for (int n = 1; n <= blocks; ++n) {
        const QString block = readBlockFile(folder, n);
        all += format == ExportFormat::Text ? toCubeMarkup(block, settings.voiceIndex)
                                            : toSapiMarkup(block, settings.voiceIndex);
        all += QStringLiteral("\r\n");
    }
    if (!UserFile::writeBytes(target, Codec::encodeUserFile(all)) || QFileInfo(target).size() < 2) {
        dialogs.show({kTitle, QStringLiteral("Не удалось записать файл \"%1\".").arg(QDir::toNativeSeparators(target)),
                      DialogIcon::Critical, DialogButtons::Ok});
        return false;
    }
    dialogs.show({kTitle, QStringLiteral("Книга успешно экспортирована!"), DialogIcon::Information, DialogButtons::Ok});
    settings.exportFolder = QFileInfo(target).absolutePath();
    return true;
}
