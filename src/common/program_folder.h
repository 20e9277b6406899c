#pragma once

#include <QString>

// The folder every file of the program lives in: the executable's folder when
// it is writable and not a system folder under /usr (a portable install),
// otherwise ~/.local/share/Lectorium
// (or $XDG_DATA_HOME/Lectorium). main() decides it once and passes it on.
QString decideProgramFolder(const QString &executableFolder);

// The program folder's own files, each named in one place.
class ProgramFolder
{
public:
    explicit ProgramFolder(QString path) : m_path(std::move(path)) { }

    const QString &path() const { return m_path; }
    // A file or folder of the program folder, by its name there.
    QString file(const QString &name) const { return m_path + u'/' + name; }

    QString settingsFile() const { return file(QStringLiteral("Lectorium.ini")); }
    QString voiceSettingsFile() const { return file(QStringLiteral("Voice.ini")); }
    QString batchFile() const { return file(QStringLiteral("Batch.cfg")); }
    QString chapterIdentifiersFile() const { return file(QStringLiteral("Chapters.txt")); }
    QString projectsDir() const { return file(QStringLiteral("Projects")); }
    QString dictionaryDir() const { return file(QStringLiteral("Dic")); }
    QString speechProgramsFile() const { return file(QStringLiteral("SpeechPrograms.ini")); }

private:
    QString m_path;
};

// Writes the files shipped with the program (default settings, chapter
// identifiers, ...) into the program folder where they are missing; existing
// files are never touched.
void seedProgramFolder(const QString &programFolder);
