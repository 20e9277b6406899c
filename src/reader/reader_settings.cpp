#include "reader/reader_settings.h"

#include "common/ini_file.h"

#include <QFileInfo>

namespace {

const QString kFont = QStringLiteral("Шрифт");
const QString kColours = QStringLiteral("Цвета");
const QString kName = QStringLiteral("Name");
const QString kBold = QStringLiteral("Bold");
const QString kItalic = QStringLiteral("Italic");
const QString kSize = QStringLiteral("Size");
const QString kBackground = QStringLiteral("Фон");
const QString kUnread = QStringLiteral("Основной");
const QString kReading = QStringLiteral("Читаемый");
const QString kRead = QStringLiteral("Прочитанный");

// Older files may hold "True"/"False" (or "-1") instead of 1 and 0.
void readFlag(const IniDocument &ini, const QString &key, bool &flag)
{
    const auto text = ini.read(kFont, key);
    if (!text)
        return;
    const QString value = text->trimmed();
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber)
        flag = number != 0;
    else if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
             || value.compare(QStringLiteral("Истина"), Qt::CaseInsensitive) == 0)
        flag = true;
    else if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0
             || value.compare(QStringLiteral("Ложь"), Qt::CaseInsensitive) == 0)
        flag = false;
}

void readSize(const IniDocument &ini, double &size)
{
    const auto text = ini.read(kFont, kSize);
    if (!text)
        return;
    bool ok = false;
    const double value = QString(*text).replace(u',', u'.').trimmed().toDouble(&ok);
    if (ok && value > 0)
        size = value;
}

// A system colour (the high bit set) or anything outside 24 bits is not a
// colour this window can show: the built-in one stays.
void readColour(const IniDocument &ini, const QString &key, int &colour)
{
    const auto text = ini.read(kColours, key);
    if (!text)
        return;
    bool ok = false;
    const qlonglong value = text->trimmed().toLongLong(&ok);
    if (ok && value >= 0 && value <= 0xFFFFFF)
        colour = int(value);
}

} // namespace

void loadReaderSettings(ReaderSettings &settings, const QString &iniPath)
{
    if (!QFileInfo::exists(iniPath))
        return;
    const IniDocument ini = IniDocument::load(iniPath);
    if (const auto name = ini.read(kFont, kName))
        settings.fontName = *name;
    readFlag(ini, kBold, settings.bold);
    readFlag(ini, kItalic, settings.italic);
    readSize(ini, settings.size);
    readColour(ini, kBackground, settings.background);
    readColour(ini, kUnread, settings.unread);
    readColour(ini, kReading, settings.reading);
    readColour(ini, kRead, settings.read);
}

bool saveReaderSettings(const ReaderSettings &settings, const QString &iniPath)
{
    auto ini = IniDocument::loadForUpdate(iniPath);
    if (!ini)
        return false;
    ini->write(kFont, kName, settings.fontName);
    ini->write(kFont, kBold, settings.bold ? 1 : 0);
    ini->write(kFont, kItalic, settings.italic ? 1 : 0);
    ini->write(kFont, kSize, settings.size);
    ini->write(kColours, kBackground, settings.background);
    ini->write(kColours, kUnread, settings.unread);
    ini->write(kColours, kReading, settings.reading);
    ini->write(kColours, kRead, settings.read);
    return ini->save(iniPath);
}
