#pragma once

#include <QString>

// The folder every file of the program lives in: the executable's folder when
// it is writable (a portable install), otherwise ~/.local/share/Lectorium
// (or $XDG_DATA_HOME/Lectorium). main() decides it once and passes it on.
QString decideProgramFolder(const QString &executableFolder);

// "\Projects" style names of the design are this folder + "/Projects".
QString programPath(const QString &programFolder, const QString &name);

// Writes the files shipped with the program (default settings, chapter
// identifiers, ...) into the program folder where they are missing; existing
// files are never touched.
void seedProgramFolder(const QString &programFolder);
