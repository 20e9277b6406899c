#pragma once
// The outside speech program some voices need while they speak: started from
// the path in the settings ("SpeechCube.exe") at high priority. The runner
// keeps the process, so it ends at the latest when the runner goes at exit.

#include "app/settings.h"
#include "common/process_runner.h"

// False when no path is set or the program did not start; a voice that then
// stays silent is noticed by the recording driver, so nothing is shown here.
bool setProgramPriority(const Settings &settings, ProcessRunner &runner);
