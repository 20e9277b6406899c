#pragma once
// "Добавить книгу": checks the title, asks before replacing a project of the
// same name, rewrites years when asked, cuts the text into blocks and writes
// the project. The editor window and lectorium-cli both run it; the caller
// saves its settings and then selects `book` in the library.

#include "import/add_pass.h"
#include "import/project_writer.h"

#include "common/user_dialogs.h"

#include <QString>

#include <optional>

// The title field's prompt after a paste; no book may be called that.
inline const QString kTitlePlaceholder = QStringLiteral("Введите название книги!");

struct AddRequest
{
    QString programFolder;
    QString title; // the project's folder name and the name of block 1
    QString text;  // the whole edited text
    BookInformation info;
    AddOptions options;
    // "Абзац НЕ начинается пробелом или табуляцией" as the loaded book's
    // layout asks for it; it wins over the saved option when adding without
    // the editor (the editor sets its check box on loading instead).
    std::optional<bool> paragraphWithoutIndent;
    // Whether the loaded book marks its sections with three empty lines
    // (FictionBook); switches that identifier when adding without the editor.
    std::optional<bool> sectionsMarked;
    // The book's own cover, kept in the project folder.
    std::optional<BookCover> cover;
};

enum class AddStatus {
    Added,
    NoTitle,          // warned; nothing written, the editor stays open
    Cancelled,        // the user kept the existing project
    WriteFailed,      // reported; the old project, if any, is unchanged
    DictionaryFailed, // the dictionaries could not rewrite a line; reported, nothing written
};

struct AddResult
{
    AddStatus status = AddStatus::NoTitle;
    QString book; // the library entry of the new book
    int blockCount = 0;
};

AddResult addBook(const AddRequest &request, ChapterDetector &detector, UserDialogs &dialogs,
                  const LineRewriter &dictionaries = {}, const AddProgress &progress = {});
