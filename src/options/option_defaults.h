#pragma once
// What the options window's "По умолчанию" puts into its controls.

#include "app/settings.h"

// `current` with every setting the options window edits reset to the value a
// fresh installation starts with, except the user's own paths (output folder,
// speech program) which stay. The voice is not among them: the window
// chooses the first Russian voice itself, because voice positions depend on
// the installed engine.
Settings optionDefaults(const Settings &current);
