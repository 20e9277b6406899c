#include "import/add_book.h"

#include "import/text_normalisation.h"

#include "app/folder_removal.h"
#include "app/project_store.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qsizetype kMaxFolderNameBytes = 255;

bool titleMissing(const QString &title, UserDialogs &dialogs)
{
    if (!title.isEmpty() && title != kTitlePlaceholder)
        return false;
    dialogs.show({QStringLiteral("Не указано название книги..."),
                  QStringLiteral("Укажите название книги!\n(Можно выделить название в тексте и нажать "
                                 "кнопку справа от поля для ввода названия.)"),
                  DialogIcon::Exclamation, DialogButtons::Ok});
    return true;
}

// The title names a folder inside "Projects": "..", "." or a "/" would put
// the book somewhere else, and a folder name holds at most 255 bytes.
bool titleUnusable(const QString &title, UserDialogs &dialogs)
{
    if (!isPlainEntryName(title)) {
        dialogs.show({QStringLiteral("Неправильное название книги"),
                      QStringLiteral("Название книги не может быть именем папки:\n\"%1\"\n"
                                     "Уберите из него знак \"/\" и точки.")
                          .arg(title),
                      DialogIcon::Exclamation, DialogButtons::Ok});
        return true;
    }
    if (title.toUtf8().size() > kMaxFolderNameBytes) {
        dialogs.show({QStringLiteral("Слишком длинное название книги"),
                      QStringLiteral("Название книги слишком длинное для имени папки (%1 символов):\n\"%2\"\n"
                                     "Сократите его до 120 символов.")
                          .arg(title.size())
                          .arg(title),
                      DialogIcon::Exclamation, DialogButtons::Ok});
        return true;
    }
    return false;
}

bool keepExistingProject(const QString &folder, UserDialogs &dialogs)
{
    if (!QFileInfo(folder).isDir())
        return false;
    const DialogAnswer answer = dialogs.show(
        {QStringLiteral("Внимание"), QStringLiteral("Проект с таким именем уже есть! Рабочий каталог будет очищен."),
         DialogIcon::Exclamation, DialogButtons::OkCancel});
    return answer != DialogAnswer::Ok;
}

} // namespace

AddResult addBook(const AddRequest &request, ChapterDetector &detector, UserDialogs &dialogs,
                  const LineRewriter &dictionaries, const AddProgress &progress)
{
    AddResult result;
    const QString title = withoutControlCharacters(request.title);
    if (titleMissing(title, dialogs) || titleUnusable(title, dialogs))
        return result;

    QString text = request.text;
    if (request.options.fixYears) {
        if (progress)
            progress(QStringLiteral("Предварительная обработка текста"), -1);
        text = fixYears(text);
    }

    const QString folder = bookFolder(request.programFolder, title);
    if (keepExistingProject(folder, dialogs)) {
        result.status = AddStatus::Cancelled;
        return result;
    }

    const BookBlocks book = cutIntoBlocks(text, title, request.options, detector, dictionaries, progress);
    if (!book.dictionaryFailure.isEmpty()) {
        dialogs.show({QStringLiteral("Lectorium"), QStringLiteral("Книга не добавлена.\n") + book.dictionaryFailure,
                      DialogIcon::Critical, DialogButtons::Ok});
        result.status = AddStatus::DictionaryFailed;
        return result;
    }
    const QString problem = writeProject(folder, book, request.info, request.cover);
    if (!problem.isEmpty()) {
        dialogs.show({QStringLiteral("Lectorium"),
                      QStringLiteral("Не удалось записать книгу в папку\n\"%1\".\n%2.")
                          .arg(QDir::toNativeSeparators(folder), problem),
                      DialogIcon::Critical, DialogButtons::Ok});
        result.status = AddStatus::WriteFailed;
        return result;
    }
    result.status = AddStatus::Added;
    result.book = title;
    result.blockCount = int(book.blocks.size());
    return result;
}
