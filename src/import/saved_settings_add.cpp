#include "import/saved_settings_add.h"

#include "dictionaries/dictionaries.h"

#include "common/program_folder.h"

AddResult addWithSavedSettings(AddRequest request, UserDialogs &dialogs, const AddProgress &progress)
{
    const QString folder = request.programFolder;
    loadAddOptions(request.options, ProgramFolder(folder).settingsFile());
    if (request.paragraphWithoutIndent)
        request.options.paragraphWithoutIndent = *request.paragraphWithoutIndent;
    ChapterIdentifierList identifiers(loadChapterIdentifiers(folder).value_or(QList<ChapterIdentifier>()));
    if (request.sectionsMarked)
        followSectionMarks(identifiers, *request.sectionsMarked);
    ChapterDetector detector(identifiers.entries(), request.options.dialogueStartsWithQuotes);
    return addWithEnabledDictionaries(request, detector, dialogs, progress);
}

AddResult addWithEnabledDictionaries(const AddRequest &request, ChapterDetector &detector, UserDialogs &dialogs,
                                     const AddProgress &progress)
{
    Dictionaries dictionaries(request.programFolder);
    LineRewriter rewriter;
    if (request.options.applyDictionaries) {
        dictionaries.loadDictionaryList();
        dictionaries.loadEnabledDictionaries();
        rewriter = [&dictionaries](const QString &line) { return dictionaries.applyDictionaries(line); };
    }
    return addBook(request, detector, dialogs, rewriter, progress);
}
