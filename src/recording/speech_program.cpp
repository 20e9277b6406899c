#include "recording/speech_program.h"

namespace {

constexpr int kHighPriority = 2;

} // namespace

bool setProgramPriority(const Settings &settings, ProcessRunner &runner)
{
    if (settings.speechCubePath.trimmed().isEmpty())
        return false;
    ProcessRequest request;
    request.program = settings.speechCubePath;
    request.priority = kHighPriority;
    return runner.runProcess(request);
}
