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
    QString chapter;      // the block's name, as the table of contents will hold it
    qsizetype start = 0;  // where the line that names the block begins in the text
    qsizetype length = 0; // and its length
    int seconds = 0;      // estimated speaking time of the block
};

struct ChapterPreview
{
    QList<PreviewRow> rows;
    bool stopped = false;
};

// One row for each block the add pass will make of the text, named as it
// will name them (row 1 the title, size parts "Глава 1(2)"). `keepGoing` is
// asked every few lines (a window lets its events run there); false stops
// the preview without rows. The detector's empty-line count is left as it
// was, so adding starts from the count the preview started from.
ChapterPreview previewChapters(const QString &text, const QString &title, const AddOptions &options,
                               const SpeakingRate &rate, ChapterDetector &detector,
                               const std::function<bool()> &keepGoing = {});
