#pragma once
// Reading the files of a ZIP archive (zipped books, EPUB) into memory, with
// limits that keep a hostile archive from taking the machine's memory: too
// many entries, one file or all files together too large when unpacked (as
// declared, and as really unpacked, should the declaration lie). Entries are
// never written to disk under their own names, so "../" in a name leads
// nowhere.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct ZipLimits
{
    int maxEntries = 10000;
    qint64 maxEntryBytes = 64 << 20;  // one file, unpacked
    qint64 maxTotalBytes = 256 << 20; // all files read from the archive, unpacked
};

enum class ZipProblem {
    None,
    NotOpened,      // missing or unreadable file
    NotZip,         // no archive, or its directory is damaged
    TooManyEntries, // more entries than the limit
    TooLarge,       // a file, or all files read, unpack beyond the limit
    Encrypted,      // a file protected with a password
    Damaged,        // a file that does not unpack (bad data, wrong checksum)
    Missing,        // no file of that name
};

// A user's message naming the archive, for every problem but None.
QString zipProblemMessage(ZipProblem problem, const QString &archivePath);

class ZipArchive
{
public:
    explicit ZipArchive(const QString &path, ZipLimits limits = {});
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // The problem of the last operation (opening included); None when fine.
    ZipProblem problem() const { return m_problem; }
    bool isOpen() const { return m_zip != nullptr; }

    // The names of the files (not folders) in the archive's order. Names
    // marked UTF-8, or valid UTF-8, are read as such; others in the DOS
    // Cyrillic code page Russian archivers of Windows use.
    const QStringList &names() const { return m_names; }
    bool contains(const QString &name) const;

    // The unpacked file; nothing (and problem() says why) when it is
    // missing, protected, damaged or beyond the limits.
    std::optional<QByteArray> read(const QString &name);

private:
    struct zip *m_zip = nullptr;
    ZipLimits m_limits;
    QStringList m_names;
    QList<qint64> m_indexes; // libzip's index of each name
    qint64 m_bytesRead = 0;
    ZipProblem m_problem = ZipProblem::None;
};
