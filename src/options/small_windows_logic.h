#pragma once
// What the folder picker, the About box and the visual-styles buttons do
// that needs no window.

#include <QString>

// "major.minor.revision" with the revision written with two digits
// (0.7.7 gives "0.7.07").
QString versionText(int major, int minor, int revision);
// The program's own version in that form.
QString programVersion();

// The folder a new sub-folder `name` of `parent` gets, with doubled
// separators collapsed; empty when the name is empty.
QString newFolderPath(const QString &parent, const QString &name);

// The visual-styles manifest beside the program ("Lectorium.exe.MANIFEST").
// Qt draws with the desktop's style whatever it says; the file is kept so
// that a folder shared with an older installation stays as that expects.
QString manifestPath(const QString &programFolder);
QString manifestText();
// Writes the manifest when it is missing (an existing one is not rewritten).
bool writeManifest(const QString &programFolder);
// Deletes the manifest when it exists.
void deleteManifest(const QString &programFolder);
