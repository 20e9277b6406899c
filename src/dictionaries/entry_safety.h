#pragma once

#include <QString>

// False when the entry, under its own boundary rules, would match inside one
// of the voice markers that the add pass writes into book text; such entries
// are never loaded. `key` is the key with its markers, "$" already removed.
bool entryIsSafe(const QString &key, bool caseSensitive);
