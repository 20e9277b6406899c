#pragma once
// Private-profile files ("Lectorium.ini", "project.ini", "Voice.ini"): the
// classic [section] / key=value format in Windows-1251. Section and key names
// compare without regard to case; a value reads back at most 254 characters
// long; an absent or empty value is "no value"; a write creates the file, the
// section and the key as needed and keeps every other line as it was.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class IniDocument
{
public:
    static constexpr int kMaxValueLength = 254;

    IniDocument() = default;
    // An unreadable or missing file gives an empty document.
    static IniDocument load(const QString &path);
    // For a read-modify-write: nothing when the file exists but cannot be
    // read, so it is never replaced by a file that lost its other lines.
    static std::optional<IniDocument> loadForUpdate(const QString &path);
    static IniDocument fromText(const QString &text);

    std::optional<QString> read(const QString &section, const QString &key) const;
    void write(const QString &section, const QString &key, const QString &value);
    void write(const QString &section, const QString &key, int value);
    void write(const QString &section, const QString &key, double value);
    // Many keys of one section at once (a book's table of contents), as
    // read() or write() key by key would, in one pass over the section.
    QList<std::optional<QString>> readKeys(const QString &section, const QStringList &keys) const;
    void writeKeys(const QString &section, const QList<std::pair<QString, QString>> &values);

    bool save(const QString &path) const;
    QString toText() const;
    const QStringList &lines() const { return m_lines; }

private:
    // Index of the header line of `section`, or -1.
    qsizetype findSection(const QString &section) const;
    // Index of the key's line inside the section that starts at `header`, or -1.
    qsizetype findKey(qsizetype header, const QString &key) const;
    // Index just past the last non-empty line of the section at `header`.
    qsizetype sectionEnd(qsizetype header) const;
    // The line of each key of the section at `header` (the first of repeated
    // keys), by the key's case-folded name.
    QHash<QString, qsizetype> keyLines(qsizetype header) const;
    // The value of the key line `at` as read() gives it.
    std::optional<QString> valueAt(qsizetype at) const;

    QStringList m_lines;
};

// Number text as the settings file stores it: trimmed, with "." as the
// decimal separator whatever the locale.
QString iniNumberText(double value);

std::optional<QString> readIni(const QString &section, const QString &key, const QString &file);
bool writeIni(const QString &section, const QString &key, const QString &value, const QString &file);
bool writeIni(const QString &section, const QString &key, int value, const QString &file);
bool writeIni(const QString &section, const QString &key, double value, const QString &file);
