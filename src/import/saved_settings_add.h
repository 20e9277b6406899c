#pragma once
// Adding a book without the editor: the options come from "Lectorium.ini"
// (section "Добавление книги"), the chapter identifiers from "Chapters.txt",
// and, when the options ask for it, the enabled dictionaries of the program
// folder rewrite each line. lectorium-cli runs this after loading a book.

#include "import/add_book.h"

// `request.options` is replaced by the saved options (with the request's
// paragraph layout, when it has one); everything else of the request is used
// as it is.
AddResult addWithSavedSettings(AddRequest request, UserDialogs &dialogs, const AddProgress &progress = {});

// addBook with the options of the request; when they ask for it, the enabled
// dictionaries of the program folder are loaded once and rewrite each line.
// The book editor calls this with its own controls' options.
AddResult addWithEnabledDictionaries(const AddRequest &request, ChapterDetector &detector, UserDialogs &dialogs,
                                     const AddProgress &progress = {});
