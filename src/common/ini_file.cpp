#include "common/ini_file.h"

#include "common/text_codec.h"
#include "common/user_file.h"

#include <QFileInfo>
#include <QLocale>

namespace {

bool isSectionHeader(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return false;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The key of a "key=value" line, or a null string for any other line.
QString keyOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(u';'))
        return {};
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return {};
    return t.left(eq).trimmed();
}

QString valueOf(const QString &line)
{
    QString v = line.mid(line.indexOf(u'=') + 1).trimmed();
    // A value written between matching quotes reads back without them.
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

QString iniNumberText(double value)
{
    QString text = QLocale::c().toString(value, 'g', 7).trimmed();
    text.replace(u',', u'.');
    return text;
}

IniDocument IniDocument::load(const QString &path)
{
    const auto bytes = UserFile::readBytes(path);
    return bytes ? fromText(Codec::fromCp1251(*bytes)) : IniDocument();
}

std::optional<IniDocument> IniDocument::loadForUpdate(const QString &path)
{
    if (!QFileInfo::exists(path))
        return IniDocument();
    const auto bytes = UserFile::readBytes(path);
    if (!bytes)
        return std::nullopt;
    return fromText(Codec::fromCp1251(*bytes));
}

IniDocument IniDocument::fromText(const QString &text)
{
    IniDocument doc;
    doc.m_lines = UserFile::splitLines(text);
    return doc;
}

qsizetype IniDocument::findSection(const QString &section) const
{
    QString name;
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (isSectionHeader(m_lines[i], &name) && sameName(name, section.trimmed()))
            return i;
    return -1;
}

qsizetype IniDocument::findKey(qsizetype header, const QString &key) const
{
    for (qsizetype i = header + 1; i < m_lines.size() && !isSectionHeader(m_lines[i]); ++i) {
        const QString k = keyOf(m_lines[i]);
        if (!k.isNull() && sameName(k, key.trimmed()))
            return i;
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype end = header + 1;
    for (qsizetype i = header + 1; i < m_lines.size() && !isSectionHeader(m_lines[i]); ++i)
        if (!m_lines[i].trimmed().isEmpty())
            end = i + 1;
    return end;
}

QHash<QString, qsizetype> IniDocument::keyLines(qsizetype header) const
{
    QHash<QString, qsizetype> lines;
    for (qsizetype i = header + 1; i < m_lines.size() && !isSectionHeader(m_lines[i]); ++i) {
        const QString key = keyOf(m_lines[i]);
        if (!key.isNull() && !lines.contains(key.toCaseFolded()))
            lines.insert(key.toCaseFolded(), i);
    }
    return lines;
}

std::optional<QString> IniDocument::valueAt(qsizetype at) const
{
    const QString value = valueOf(m_lines[at]).left(kMaxValueLength);
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

std::optional<QString> IniDocument::read(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype at = findKey(header, key);
    if (at < 0)
        return std::nullopt;
    return valueAt(at);
}

QList<std::optional<QString>> IniDocument::readKeys(const QString &section, const QStringList &keys) const
{
    QList<std::optional<QString>> values(keys.size());
    const qsizetype header = findSection(section);
    if (header < 0)
        return values;
    const QHash<QString, qsizetype> lines = keyLines(header);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const qsizetype at = lines.value(keys[i].trimmed().toCaseFolded(), -1);
        if (at >= 0)
            values[i] = valueAt(at);
    }
    return values;
}

void IniDocument::write(const QString &section, const QString &key, const QString &value)
{
    writeKeys(section, {{key, value}});
}

void IniDocument::writeKeys(const QString &section, const QList<std::pair<QString, QString>> &values)
{
    qsizetype header = findSection(section);
    if (header < 0) {
        m_lines.append(u'[' + section.trimmed() + u']');
        header = m_lines.size() - 1;
    }
    QHash<QString, qsizetype> lines = keyLines(header);
    // Keys the section lacks go after its last line, in the order given.
    QStringList added;
    QHash<QString, qsizetype> addedAt;
    for (const auto &[key, value] : values) {
        // A line break inside a value would start a new line of the file
        // and could forge keys, so it is stored as a space.
        QString safe = value;
        safe.replace(u'\r', u' ').replace(u'\n', u' ');
        const QString line = key.trimmed() + u'=' + safe;
        const QString folded = key.trimmed().toCaseFolded();
        if (const qsizetype at = lines.value(folded, -1); at >= 0) {
            m_lines[at] = line;
        } else if (const qsizetype pending = addedAt.value(folded, -1); pending >= 0) {
            added[pending] = line;
        } else {
            addedAt.insert(folded, added.size());
            added.append(line);
        }
    }
    if (added.isEmpty())
        return;
    const qsizetype end = sectionEnd(header);
    m_lines = m_lines.mid(0, end) + added + m_lines.mid(end);
}

void IniDocument::write(const QString &section, const QString &key, int value)
{
    write(section, key, QString::number(value));
}

void IniDocument::write(const QString &section, const QString &key, double value)
{
    write(section, key, iniNumberText(value));
}

QString IniDocument::toText() const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QLatin1String("\r\n");
    return text;
}

bool IniDocument::save(const QString &path) const
{
    return UserFile::writeLines(path, m_lines);
}

std::optional<QString> readIni(const QString &section, const QString &key, const QString &file)
{
    return IniDocument::load(file).read(section, key);
}

template <typename T>
static bool writeOne(const QString &section, const QString &key, const T &value, const QString &file)
{
    auto doc = IniDocument::loadForUpdate(file);
    if (!doc)
        return false;
    doc->write(section, key, value);
    return doc->save(file);
}

bool writeIni(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return writeOne(section, key, value, file);
}

bool writeIni(const QString &section, const QString &key, int value, const QString &file)
{
    return writeOne(section, key, value, file);
}

bool writeIni(const QString &section, const QString &key, double value, const QString &file)
{
    return writeOne(section, key, value, file);
}
