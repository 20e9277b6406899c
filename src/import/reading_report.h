#pragma once
// What reading a book file decided and repaired on its way into the editor,
// so the status line can say it: the encoding chosen where the file's own
// declaration was wrong, damaged bytes replaced, a parser that gave up.

#include <QString>

struct ReadingReport
{
    QString encoding;             // what the text was read as ("UTF-8", "Windows-1251", ...)
    QString overruledDeclaration; // the charset the file named but its bytes contradict
    qsizetype replacedBytes = 0;  // damaged bytes, each now U+FFFD
    bool complete = true;         // false when a parser gave up before the end
    int percentRead = 100;        // how far it came then

    // The decisions worth telling, in a few Russian words; empty when the
    // file was plainly what it said it was.
    QString notes() const;
};
