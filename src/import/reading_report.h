#pragma once
// What reading a book file decided and repaired on its way into the editor,
// so the status line can say it: the encoding chosen where the file's own
// declaration was wrong or none was given, damaged bytes replaced, letters
// that look Russian in no encoding, a parser that gave up.

#include <QString>

struct ReadingReport
{
    QString encoding;             // what the text was read as ("UTF-8", "Windows-1251", ...)
    QString overruledDeclaration; // the charset the file named but its bytes contradict
    bool encodingGuessed = false; // a single-byte code page judged by the letters
    bool encodingChosen = false;  // the user's choice, not the program's
    // The letters are not where Russian has them: a wrong encoding, or no
    // Russian text at all.
    bool implausibleLetters = false;
    qsizetype replacedBytes = 0; // damaged bytes, each now U+FFFD
    bool complete = true;        // false when a parser gave up before the end
    int percentRead = 100;       // how far it came then

    // The decisions worth telling, in a few Russian words; empty when the
    // file was plainly what it said it was.
    QString notes() const;
};
