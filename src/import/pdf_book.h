#pragma once
// A PDF book read through poppler's command-line tools (Debian package
// "poppler-utils"): pdfinfo for the title and the author, pdftotext for the
// text (reading order, not the printed layout), pdftohtml for the outline.
// Each runs with an argument list and a time limit; pdf_text.h makes a book
// of what they give.

#include "import/book_information.h"

#include <QString>

enum class PdfProblem {
    None,
    ToolMissing, // pdftotext is not installed
    Unreadable,  // pdftotext failed: damaged, or locked with a password
    TimedOut,
    NoText, // only pictures: scanned pages
};

struct PdfBook
{
    PdfProblem problem = PdfProblem::None;
    QString text; // CR LF line breaks
    BookInformation information;
};

// Time a tool gets for one book before it is given up, as for Word books.
inline constexpr int kPdfTimeoutSeconds = 120;

PdfBook readPdfBook(const QString &path, int timeoutSeconds = kPdfTimeoutSeconds);
