#pragma once

#include <QString>

// Makes a text usable as a file name: dots become `dotReplacement`, spaces
// and tabs `spaceReplacement`, characters that file systems or shells treat
// specially are dropped or turned into "-" / "#", runs of the space
// replacement collapse to one and it is trimmed from both ends. With
// `keepBackslash` a "\" stays (file-name templates use it); otherwise it
// becomes "-". Empty replacements mean "." and " ".
QString cleanFileName(const QString &text, const QString &dotReplacement, const QString &spaceReplacement,
                      bool keepBackslash);
