#pragma once
// "Найти Главы": the table of contents the add pass would make, with the
// estimated speaking time of each block, worked out before anything is
// written. The editor shows the rows; clicking one selects its line.

#include "common/format_duration.h"
#include "import/add_options.h"
#include "import/chapter_detection.h"
#include "import/speaking_rate.h"

#include <QList>
#include <QString>

#include <functional>

struct PreviewRow
{
    int number = 0;       // block number
    QString chapter;      // the heading line as the detector prepared it
    qsizetype start = 0;  // where the heading line begins in the text
    qsizetype length = 0; // and its length
    int seconds = 0;      // estimated speaking time of the block
};

struct ChapterPreview
{
    QList<PreviewRow> rows;
    bool stopped = false;
};

// Row 1 is the title at the start of the text; a heading (while cutting by
// chapters is on) or a pending size break starts the next row; size parts
// are named "chapter (2)". `keepGoing` is asked after each row (a window lets
// its events run there); false stops the preview with the rows so far. The
// detector's empty-line count is reset after each row and on stopping.
ChapterPreview previewChapters(const QString &text, const QString &title, const AddOptions &options,
                               const SpeakingRate &rate, ChapterDetector &detector,
                               const std::function<bool()> &keepGoing = {});
