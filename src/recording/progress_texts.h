#pragma once
// The numbers shown while a book is recorded: block numbers, percentages
// and durations.

#include "common/format_duration.h"
#include "recording/recording_progress.h"
#include "recording/status_panel.h"

#include <QString>

#include <array>
#include <optional>

// The number as text without a leading blank.
QString numberText(double x);
// The percentage with two decimals and a percent sign: 42.5 gives "42.50%".
QString percentText(double x);

// What the main window shows of a recording's progress. A panel, the title
// or a bar left empty keeps what it showed before.
struct ProgressDisplay
{
    std::array<std::optional<QString>, kStatusPanelCount> panels;
    std::optional<QString> title;
    std::optional<int> bookBar;
    std::optional<int> blockBar;

    const std::optional<QString> &panel(StatusPanel which) const { return panels[int(which) - 1]; }
    std::optional<QString> &panel(StatusPanel which) { return panels[int(which) - 1]; }
};
// `percentInTitle`: the title carries the share done ("Lectorium - 12.50% - Книга").
ProgressDisplay progressDisplay(const RecordingProgress &progress, bool percentInTitle);
// "Блок 7 (2/10)", with " (Приостановлено)" or the stop-after-block note.
QString activityText(const RecordingProgress &progress);
// "Сжатие в MP3: 0007.wav", "Обработка словарем..." or nothing.
QString encoderText(const RecordingProgress &progress);
