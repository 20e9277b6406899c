#include "dictionaries/ui/dictionary_windows.h"

#include "dictionaries/ui/dictionary_editor_window.h"
#include "dictionaries/ui/dictionary_list_dialog.h"

DictionaryEditorWindow *openDictionaryEditor(QWidget *owner, const QString &programFolder, UserDialogs &dialogs,
                                             TrialVoice *voice)
{
    auto *editor = owner->findChild<DictionaryEditorWindow *>(QStringLiteral("DictionaryEditorWindow"),
                                                              Qt::FindDirectChildrenOnly);
    if (!editor)
        editor = new DictionaryEditorWindow(programFolder, dialogs, voice, owner);
    editor->showAndRaise();
    return editor;
}

void showDictionaryList(QWidget *parent, const QString &programFolder, UserDialogs &dialogs)
{
    DictionaryListDialog window(programFolder, dialogs, parent);
    window.exec();
}
