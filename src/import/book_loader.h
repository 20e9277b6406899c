#pragma once
// Getting a book into the editor: a file by its extension (plain text, RTF,
// Word and OpenDocument, HTML, FictionBook, EPUB, a ZIP archive holding one
// of them, PDF, and through calibre MOBI, AZW3, FB3, DjVu) or the clipboard. The result is what the editor
// puts in its fields; the editor window only shows it.

#include "import/book_cover.h"
#include "import/book_file_encoding.h"
#include "import/fb2_description.h"
#include "import/reading_report.h"

#include "app/book_file_filter.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class UserDialogs;
class WordConverter;

struct BookLoadResult
{
    // A text was read: the editor replaces its text (and the fields below
    // that are set). When false the editor keeps everything it had.
    bool loaded = false;
    QString text; // CR LF line breaks
    std::optional<QString> sourcePath;
    std::optional<QString> title;
    // Filled from a FictionBook or EPUB description only.
    std::optional<BookInformation> information;
    // The book's own cover picture, when it has a whole one.
    std::optional<BookCover> cover;
    // Indented paragraphs were marked with four spaces (RTF and Word), so
    // the editor's "paragraph does not begin with a space" option goes off.
    bool indentsMarked = false;
    // Each section begins after three empty lines (FictionBook, EPUB), which the
    // identifier "\\\\\\" takes for a heading. In other books such a run of
    // empty lines is a scene break inside a chapter.
    bool sectionsMarked = false;
    QString status; // the status line after the load
    // What reading decided or repaired (an overruled encoding declaration,
    // damaged bytes replaced); empty when there is nothing to tell. Also
    // at the end of `status`.
    QString readingNotes;
    // The text was decoded from bytes in an encoding the user may choose
    // (plain text, HTML, FictionBook; RTF, Word and EPUB name their own).
    bool encodingChoosable = false;
    // What it was read as ("KOI8-R"), when `encodingChoosable`.
    QString encoding;
    // Its letters do not look Russian in that encoding: the status line
    // says so instead of "Ok!".
    bool lettersImplausible = false;
};

// The part of a path after its last separator ("/" or "\"); a name without
// one is returned whole.
QString fileTitle(const QString &Filename1);

class BookLoader
{
public:
    BookLoader(UserDialogs &dialogs, WordConverter &wordConverter);

    // Status line texts while a conversion runs ("Конвертация файла...").
    void setStatusListener(std::function<void(const QString &)> listener);

    // Loads the file `InFileName` (full path) by its extension; InFileNm is
    // its name with the extension and gives the proposed title. When nothing
    // could be read the user is told why. A text, HTML or FictionBook book is
    // read in `encoding` when that is not Automatic.
    BookLoadResult loadFile(const QString &InFileName, const QString &InFileNm,
                            BookFileEncoding encoding = BookFileEncoding::Automatic);

    // The clipboard's content: its RTF when that holds text, else its plain
    // text, taken as it is.
    BookLoadResult loadPaste(const QByteArray &clipboardRtf, const QString &clipboardText);

private:
    std::optional<QString> loadByKind(BookFileKind kind, const QString &path, BookLoadResult &result);
    std::optional<QString> loadPlainText(const QString &path);
    std::optional<QString> loadHtml(const QString &path);
    std::optional<QString> loadRtf(const QString &path);
    std::optional<QString> loadWord(const QString &path);
    std::optional<QString> loadFictionBook(const QString &path, BookLoadResult &result);
    std::optional<QString> loadEpub(const QString &path, BookLoadResult &result);
    std::optional<QString> loadZipped(const QString &path, BookLoadResult &result);
    // book_loader_converted.cpp: books that outside programs turn into text or EPUB.
    std::optional<QString> loadPdf(const QString &path, BookLoadResult &result);
    std::optional<QString> loadThroughCalibre(const QString &path, BookLoadResult &result);
    void keepCover(const std::optional<QByteArray> &image, BookLoadResult &result);
    std::optional<QByteArray> readFile(const QString &path);
    void reportUnreadable(const QString &path);
    void reportIncompleteReading(const QString &path);
    void fail(const QString &status, const QString &message);
    void showStatus(const QString &status);

    UserDialogs &m_dialogs;
    WordConverter &m_wordConverter;
    std::function<void(const QString &)> m_statusListener;
    QString m_failureStatus;
    BookFileEncoding m_encoding = BookFileEncoding::Automatic; // of the file being loaded
    ReadingReport m_reading;                                   // of the file being loaded
    QString m_coverNote;                                       // a cover that was there but broken
    // The kind and name of the book read: the file's own, or the one inside
    // an archive.
    BookFileKind m_bookKind = BookFileKind::None;
    QString m_bookName;
};
