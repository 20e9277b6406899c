#pragma once
// An EPUB book (2 or 3) as the editor's text: the pages in reading order
// converted like HTML pages, the table of contents written as heading lines
// the way FictionBook section titles are (three empty lines, then the
// title), notes inlined where they are referenced ("; [Примечание: ...];"),
// images left out; beside it the description and the cover image.

#include "import/fb2_description.h"
#include "import/zip_archive.h"

#include <QByteArray>
#include <QString>

#include <optional>

enum class EpubProblem {
    None,
    Archive,   // the ZIP archive itself (see archiveProblem)
    NoPackage, // no OPF file, or one without pages
    Protected, // DRM: the pages are encrypted
};

struct EpubBook
{
    EpubProblem problem = EpubProblem::None;
    ZipProblem archiveProblem = ZipProblem::None;
    QString text; // CR LF line breaks
    Fb2Description description;
    std::optional<QByteArray> coverImage; // as stored; not yet checked
};

EpubBook readEpubBook(const QString &path, const ZipLimits &limits = {});
