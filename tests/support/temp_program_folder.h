#pragma once

#include <QString>
#include <QTemporaryDir>

#include <optional>

// A fresh program folder for one test, removed afterwards, and a fresh home
// folder: while it lives, $HOME and $XDG_CONFIG_HOME point into home(), so
// that nothing a test does (the default audiobook folder ~/Аудиокниги, the
// programs it starts) reaches the real home folder. The former values come
// back when it goes.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder &) = delete;
    TempProgramFolder &operator=(const TempProgramFolder &) = delete;

    const QString &path() const { return m_path; }
    const QString &home() const { return m_home; }
    // path() + "/" + name
    QString file(const QString &name) const;
    // Writes `text` as Windows-1251 (CR LF is up to the caller).
    void writeCp1251(const QString &name, const QString &text) const;
    QByteArray readBytes(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QTemporaryDir m_homeDir;
    QString m_home;
    std::optional<QByteArray> m_formerHome;
    std::optional<QByteArray> m_formerConfigHome;
};

// The test books and dictionaries beside the project (../shared), or where
// LECTORIUM_SHARED points; /work/shared when neither exists.
QString sharedDataPath(const QString &relative);
bool sharedDataAvailable();

// A test that reads the shared books is skipped, saying why, on a machine
// that does not have them.
#define REQUIRE_SHARED_DATA()                                                                                          \
    do {                                                                                                               \
        if (!sharedDataAvailable())                                                                                    \
            GTEST_SKIP() << "the shared test books (../shared) are not on this machine";                               \
    } while (false)
