#pragma once
// The reader's font and colours, kept in the settings file's sections
// "Шрифт" and "Цвета". Colours are colour numbers: red + 256 * green +
// 65536 * blue.

#include <QString>

struct ReaderSettings
{
    // "Шрифт"
    QString fontName = QStringLiteral("DejaVu Serif");
    bool bold = false;
    bool italic = false;
    double size = 13;
    // "Цвета"
    int background = 0xF0FAFF; // "Фон": a warm white that is easy on the eyes
    int unread = 0x000000;     // "Основной"
    int reading = 0x0000C0;    // "Читаемый": dark red
    int read = 0x8B5A2F;       // "Прочитанный": a muted blue
};

// Reads the keys that are present into `settings`; without the file, or for a
// key that is missing or holds no usable value, the value stays as it was.
void loadReaderSettings(ReaderSettings &settings, const QString &iniPath);

// Writes every key; false when the file could not be written.
bool saveReaderSettings(const ReaderSettings &settings, const QString &iniPath);
