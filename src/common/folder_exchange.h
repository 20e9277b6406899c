#pragma once
// Swaps two folders in one step: after a crash at any moment each path holds
// one of the two folders whole, never neither.

#include <QString>

// True when the two paths (on one file system) changed places. False when
// the file system cannot swap in one step or either path is missing; then
// nothing has moved.
bool exchangeFolders(const QString &first, const QString &second);
