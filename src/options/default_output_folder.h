#pragma once
// Where the audiobooks go until the user chooses a folder: "Аудиокниги" in
// the user's music folder (xdg-user-dir MUSIC) when the desktop has one of
// its own, otherwise in the home folder. Never the program folder: an
// installed program's folder is not the user's, and run from the build tree
// the books would lie among the program's files.

#include <QString>

QString defaultOutputFolder();

// The chosen folder, or the default when none is chosen (a blank or a
// one-character setting, as older versions wrote).
QString outputFolderOrDefault(const QString &chosen);
