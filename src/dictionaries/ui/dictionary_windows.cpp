#include "dictionary_windows.h"

#include "dic_ed.h"
#include "form7.h"

DicEd *openDictionaryEditor(QWidget *owner, const QString &programFolder, UserDialogs &dialogs, TrialVoice *voice)
{
    auto *editor = owner->findChild<DicEd *>(QStringLiteral("DicEd"), Qt::FindDirectChildrenOnly);
    if (!editor)
        editor = new DicEd(programFolder, dialogs, voice, owner);
    editor->ShowMe();
    return editor;
}

void showDictionaryList(QWidget *parent, const QString &programFolder, UserDialogs &dialogs)
{
    Form7 window(programFolder, dialogs, parent);
    window.exec();
}
