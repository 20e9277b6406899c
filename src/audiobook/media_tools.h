#pragma once
// FFmpeg's programs as the one-file audiobooks use them: run to their end
// while the caller's loop goes on, and the exact length of a sound file.

#include "common/process_runner.h"

#include <QString>

#include <functional>
#include <optional>

struct MediaTools
{
    QString ffmpeg;
    QString ffprobe;
};

// The programs of the program folder when there, else those on PATH.
MediaTools mediaTools(const QString &programFolder);

// Called while a program runs; false cuts the run short (the program is
// ended at once).
using KeepGoing = std::function<bool()>;

enum class ToolRunEnd { Done, NotStarted, Failed, Cancelled };

// Runs the program to its end; Done only for exit code 0.
ToolRunEnd runToEnd(ProcessRunner &runner, const ProcessRequest &request, const KeepGoing &keepGoing);

struct ProbedDuration
{
    ToolRunEnd end = ToolRunEnd::Failed;
    double seconds = 0;
};

// The file's length as FFmpeg's prober reads it (microseconds), which is
// where FFmpeg puts the next file when it joins files.
ProbedDuration probeDuration(const QString &ffprobe, const QString &file, const KeepGoing &keepGoing);
