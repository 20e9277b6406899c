#include "dictionaries/dictionary_files.h"

#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_list.h"
#include "dictionaries/exception_dictionary.h"

#include "common/clean_file_name.h"
#include "common/user_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kTitle = QStringLiteral("Lectorium");

bool userAgrees(UserDialogs &dialogs, const QString &text)
{
    return dialogs.show({kTitle, text, DialogIcon::Question, DialogButtons::YesNo}) == DialogAnswer::Yes;
}

bool mayWrite(const QString &path, const QString &name, UserDialogs &dialogs)
{
    return !QFileInfo::exists(path)
           || userAgrees(dialogs, QStringLiteral("Словарь \"%1\" уже существует.\nХотите перезаписать?").arg(name));
}

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()).toLower()
           == QDir::cleanPath(QFileInfo(b).absoluteFilePath()).toLower();
}

} // namespace

QString dictionaryFileName(const QString &typed)
{
    if (typed.right(4).toLower() == QLatin1String(".dic"))
        return typed;
    return cleanFileName(typed, QStringLiteral("."), QStringLiteral(" "), false) + QStringLiteral(".dic");
}

DictionaryFileResult createDictionary(const QString &dictionaryFolder, const QString &typedName, UserDialogs &dialogs)
{
    if (typedName.isEmpty())
        return DictionaryFileResult::Declined;
    const QString name = dictionaryFileName(typedName);
    const QString path = pathInDictionaryFolder(dictionaryFolder, name);
    if (!mayWrite(path, name, dialogs))
        return DictionaryFileResult::Declined;
    QDir().mkpath(dictionaryFolder);
    return UserFile::writeLines(path, {kDictionaryHeader}) ? DictionaryFileResult::Done : DictionaryFileResult::Failed;
}

DictionaryFileResult addDictionaryFile(const QString &dictionaryFolder, const QString &chosenPath, AddedFileKind kind,
                                       UserDialogs &dialogs)
{
    const QFileInfo chosen(chosenPath);
    if (sameFolder(chosen.absolutePath(), dictionaryFolder)) {
        dialogs.show({kTitle,
                      QStringLiteral("Из этого каталога ничего добавлять не нужно!\n"
                                     "В нем содержатся все используемые программой словари."),
                      DialogIcon::Information, DialogButtons::Ok});
        return DictionaryFileResult::Refused;
    }
    QString name = chosen.fileName();
    if (name.endsWith(QLatin1String(".txt")))
        name = name.chopped(4) + QStringLiteral(".dic");
    const QString target = pathInDictionaryFolder(dictionaryFolder, name);
    if (!mayWrite(target, name, dialogs))
        return DictionaryFileResult::Declined;
    QDir().mkpath(dictionaryFolder);
    bool ok = false;
    if (kind == AddedFileKind::EngineExceptions) {
        ok = convertExceptionDictionary(chosenPath, target);
    } else {
        const std::optional<QByteArray> bytes = UserFile::readBytes(chosenPath);
        ok = bytes && UserFile::writeBytes(target, *bytes);
    }
    return ok ? DictionaryFileResult::Done : DictionaryFileResult::Failed;
}

DictionaryFileResult renameDictionary(const QString &dictionaryFolder, const QString &name, const QString &typedNewName)
{
    const QString trimmed = typedNewName.trimmed();
    if (trimmed.isEmpty())
        return DictionaryFileResult::Declined;
    const QString newName = dictionaryFileName(trimmed);
    if (newName == name)
        return DictionaryFileResult::Done;
    return QFile::rename(dictionaryFolder + u'/' + name, dictionaryFolder + u'/' + newName)
               ? DictionaryFileResult::Done
               : DictionaryFileResult::Failed;
}

DictionaryFileResult deleteDictionary(const QString &dictionaryFolder, const QString &name, UserDialogs &dialogs)
{
    if (!userAgrees(dialogs, QStringLiteral("Действительно хотите удалить файл\n\"%1\"?").arg(name)))
        return DictionaryFileResult::Declined;
    return QFile::remove(dictionaryFolder + u'/' + name) ? DictionaryFileResult::Done : DictionaryFileResult::Failed;
}
