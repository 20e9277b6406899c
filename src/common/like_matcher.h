#pragma once

#include <QString>

// Wildcard match with exact letter case: "?" one character, "#" one digit,
// "*" any run (also none), "[list]" / "[a-z]" one character from the list or
// range, "[!list]" one character not in it. "[*]", "[?]", "[#]", "[[]" and
// "[]]" stand for the characters themselves. A pattern with an unclosed
// bracket matches nothing.
bool like(const QString &text, const QString &pattern);
