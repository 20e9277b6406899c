#pragma once
// The version the program shows (About box) and writes into the files it
// makes (the exception dictionary's header).

#include <QString>

// "major.minor.revision" with the revision written with two digits
// (0.7.7 gives "0.7.07").
QString versionText(int major, int minor, int revision);
// The program's own version in that form.
QString programVersion();
// The program's version with each number as it is: "0.1.0".
QString plainProgramVersion();
