#pragma once
// The kinds of book file the program opens, told apart by the file name's
// ending (without regard to case). The open dialog, drops on the windows,
// the command line and the book loader all ask here, so a new kind is added
// in one place.

#include <QString>
#include <QStringList>

enum class BookFileKind {
    None,        // not a book the program opens
    Text,        // .txt
    Rtf,         // .rtf
    Word,        // .doc .docx .docm .odt: through LibreOffice
    Html,        // .htm .html
    FictionBook, // .fb2
    Epub,        // .epub
    Zip,         // .zip (".fb2.zip" included): the book inside
    Pdf,         // .pdf: through poppler's pdftotext
    Calibre,     // .mobi .azw .azw3 .fb3 .djvu: through calibre's ebook-convert to EPUB
};

BookFileKind bookFileKind(const QString &fileName);

// The name without its book ending ("Война.fb2.zip" -> "Война"); a name of
// no known kind loses its last four characters, as titles always did.
QString bookFileStem(const QString &fileName);

// "*.txt", "*.rtf", ... for file dialogs: every ending, or those of one kind.
QStringList bookFilePatterns(BookFileKind kind = BookFileKind::None);

// The book file named on the command line or dropped on the library, or an
// empty string when it is to be ignored: double quotes are removed, and the
// rest must name an existing file of a kind above.
QString openableBookFile(const QString &argument);
