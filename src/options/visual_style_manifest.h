#pragma once
// The file the visual-styles buttons write or delete.

#include <QString>

// The visual-styles manifest beside the program ("Lectorium.exe.MANIFEST").
// The file remembers the look chosen in the options window, as it always has:
// present, the windows take the desktop's style; absent, Qt's Fusion style.
// Read once at start-up.
QString manifestPath(const QString &programFolder);
QString manifestText();
// Writes the manifest when it is missing (an existing one is not rewritten).
bool writeManifest(const QString &programFolder);
// Deletes the manifest when it exists.
void deleteManifest(const QString &programFolder);
