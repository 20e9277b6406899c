#pragma once
// Outside tools a test uses to make or look at its fixtures (ffmpeg,
// ffprobe, lame), run to their end: a test waits for the tool to finish,
// never for a time, so a loaded machine only makes it slower.

#include <QByteArray>
#include <QStringList>

struct ToolRun
{
    bool succeeded = false; // ended normally with exit code 0
    QByteArray out;
    QByteArray err;
};

ToolRun runTool(const QString &program, const QStringList &args);

// True when every one of `tools` is on PATH.
bool toolsInstalled(const QStringList &tools);
