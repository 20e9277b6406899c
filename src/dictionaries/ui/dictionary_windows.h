#pragma once
// Opening the dictionary windows from other windows (the main window's
// toolbar, the book editor, the options window).

#include <QString>

class DictionaryEditorWindow;
class QWidget;
class TrialVoice;
class UserDialogs;

// The owner's dictionary editor, made on first use, shown and brought to
// the front. It stays the owner's until the owner is destroyed.
DictionaryEditorWindow *openDictionaryEditor(QWidget *owner, const QString &programFolder, UserDialogs &dialogs,
                                             TrialVoice *voice = nullptr);

// The dictionary list window, modal over `parent`.
void showDictionaryList(QWidget *parent, const QString &programFolder, UserDialogs &dialogs);
