#pragma once
// Kindle books (MOBI, AZW, AZW3), FictionBook 3 and DjVu with a text layer
// are read by converting them to EPUB with calibre's "ebook-convert"
// (Debian package "calibre"); the EPUB reader takes it from there.

#include <QString>

#include "import/converter_run.h"

// Time ebook-convert gets for one book: calibre starts slowly and converts
// a long novel in about a minute on a busy machine.
inline constexpr int kCalibreTimeoutSeconds = 300;

struct CalibreConversion
{
    ConverterOutcome outcome = ConverterOutcome::Failed;
    QString epubPath; // the EPUB written into the output folder, when converted
};

// "ebook-convert" on PATH; empty when calibre is not installed.
QString findEbookConvert();

// Converts `bookPath` into "book.epub" in `outputFolder`. A converter that
// ends well without writing the EPUB has failed.
CalibreConversion convertToEpub(const QString &bookPath, const QString &outputFolder,
                                int timeoutSeconds = kCalibreTimeoutSeconds);
