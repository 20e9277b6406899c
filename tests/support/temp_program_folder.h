#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh program folder for one test, removed afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    const QString &path() const { return m_path; }
    // path() + "/" + name
    QString file(const QString &name) const;
    // Writes `text` as Windows-1251 (CR LF is up to the caller).
    void writeCp1251(const QString &name, const QString &text) const;
    QByteArray readBytes(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
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
