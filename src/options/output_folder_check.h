#pragma once
// The check of the output folder box when the user leaves it: a blank box
// becomes the default folder (~/Аудиокниги), a folder that does not exist is
// created when the user agrees.

#include <QString>

class UserDialogs;

struct OutputFolderCheck
{
    QString text;           // what the box shows afterwards
    bool keepFocus = false; // the folder is unusable: the user stays in the box
};

OutputFolderCheck checkOutputFolder(const QString &text, UserDialogs &dialogs);
