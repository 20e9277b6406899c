#pragma once
// The speech engine's own exception dictionary ("exc_rus.txt"): lines of
// key " :" TAB pronunciation, with " /i" at the end when the entry ignores
// letter case; "//" starts a comment. The program never edits the engine's
// file in place: it works on a copy in the program folder and replaces the
// engine's file with it on saving.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct ExceptionRow
{
    QString key;
    QString pronunciation; // as stored: "<", ">" and "##" kept, unless converted
    QString flag;          // "/i" or empty
    bool operator==(const ExceptionRow &) const = default;
};

// One line by the editor's reading rules; with `toOwnNotation` the
// pronunciation loses its "<" ">" wrapping and "##" becomes a space.
std::optional<ExceptionRow> parseExceptionLine(const QString &line, bool toOwnNotation);

struct ExceptionLoad
{
    QList<ExceptionRow> rows;
    bool cancelled = false;
};

// Reads a file of this format (LoadDict). `cancelled` is asked between lines;
// when it says yes the load ends at once with the rows read so far.
std::optional<ExceptionLoad> loadExceptionDictionary(const QString &path, bool toOwnNotation,
                                                     const std::function<bool()> &cancelled = {});

// The engine's notation of a typed pronunciation: spaces become "##" and the
// whole is wrapped in "<" ">".
QString toEngineNotation(const QString &typed);

// The whole file as the program writes it: the legend, the rows, the end line.
QStringList exceptionFileLines(const QList<ExceptionRow> &rows, const QString &programVersion);

// The entry lines of the program's own format (convertExceptionDictionary): "$" for a
// case-sensitive entry, then key "=" pronunciation in the own notation.
QStringList convertExceptionLines(const QStringList &lines);
bool convertExceptionDictionary(const QString &source, const QString &target);

// The files around the engine's dictionary.
class ExceptionDictionaryFiles
{
public:
    ExceptionDictionaryFiles(const QString &programFolder, const QString &enginePath);

    QString enginePath() const { return m_enginePath; }
    QString workingCopy() const;   // program folder + "/exc_rus.txt"
    QString programBackup() const; // program folder + "/exc_rus.bak"
    QString engineBackup() const;  // the engine's path ending in ".bak" instead

    bool engineFileExists() const;

    struct Refresh
    {
        bool copied = false;           // the working copy now holds the engine's file
        bool madeEngineBackup = false; // the one-time backup was made just now
    };
    // Copies the engine's file over the working copy and the program-folder
    // backup, and makes the backup beside the engine's file if there is none
    // yet (never replacing one that exists).
    Refresh refreshCopies() const;

    // Writes the rows to the working copy; false when that failed.
    bool writeWorkingCopy(const QList<ExceptionRow> &rows, const QString &programVersion) const;

    // Replaces the engine's file with the working copy (SaveDic). The new file
    // is written beside it and renamed over it, so a folder or a file that
    // cannot be written leaves the engine's file exactly as it was; false
    // then, and the working copy still holds the saved state.
    bool replaceEngineFile() const;

private:
    QString m_programFolder;
    QString m_enginePath;
};
