#pragma once
// The file the visual-styles buttons write or delete.

#include <QString>

// The visual-styles manifest beside the program ("Lectorium.exe.MANIFEST").
// Qt draws with the desktop's style whatever it says; the file is kept so
// that a folder shared with an older installation stays as that expects.
QString manifestPath(const QString &programFolder);
QString manifestText();
// Writes the manifest when it is missing (an existing one is not rewritten).
bool writeManifest(const QString &programFolder);
// Deletes the manifest when it exists.
void deleteManifest(const QString &programFolder);
