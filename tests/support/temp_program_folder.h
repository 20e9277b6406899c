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

// ../shared/<relative>, the test books and dictionaries beside the project.
QString sharedDataPath(const QString &relative);
