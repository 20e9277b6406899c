#pragma once
// The main window's settings record: one field per key of "Lectorium.ini"
// that the main window loads and saves. Other windows keep their own sections
// in the same file.

#include <QString>

struct Settings
{
    // "Общие настройки"
    int bookIndex = 0;             // "Номер книги"
    int afterFinish = 0;           // "Событие по завершению": 0 nothing, 1 message, 2 exit, 3 switch off
    int percentInTitle = 1;        // "Показывать процент в заголовке"
    int minimizeToTray = 0;        // "Сворачивать в трей"
    int alwaysTrayIcon = 0;        // "Всегда иконка в трее"
    int batchMode = 0;             // "Пакетная обработка"
    int scaleInterface = 1;        // "Масштабировать интерфейс"
    int scaleToolbar = 0;          // "Масштабировать панель инструментов"
    int firstStart = 1;            // "Первый запуск"
    int highPriority = 0;          // "Высокий приоритет"
    QString speechCubePath;        // "SpeechCube.exe"
    double coefficient1 = 21;      // "Коэффициент1": WAV bytes per character / 100
    int deleteProject = 0;         // "Удалять проект"
    // "Настройки движка"
    int voiceIndex = 0;            // "Номер движка"
    int followEngine = 0;          // "Слежение": 1 follow the engine's position, 0 the file size
    int attempts = 3;              // "Кол-во попыток"
    int audioStreams = 0;          // "Кол-во аудиопотоков"
    int fullVolume = 1;            // "Громкость"
    // "Настройки голоса"
    QString narrationRate = QStringLiteral("0");   // "Повествование - скорость"
    QString narrationPitch = QStringLiteral("0");  // "Повествование - высота"
    QString narrationPause = QStringLiteral("0");  // "Повествование - пауза"
    QString speechRate = QStringLiteral("0");      // "Речь - скорость"
    QString speechPitch = QStringLiteral("0");     // "Речь - высота"
    QString speechPause = QStringLiteral("300");   // "Речь - пауза"
    QString speech2Rate = QStringLiteral("0");     // "Речь2 - скорость"
    QString speech2Pitch = QStringLiteral("0");    // "Речь2 - высота"
    QString authorRate = QStringLiteral("0");      // "Автор - скорость"
    QString authorPitch = QStringLiteral("0");     // "Автор - высота"
    QString authorPause = QStringLiteral("300");   // "Автор - пауза"
    // "Настройки записи"
    int announceBlockNumber = 0;   // "Обьявлять номер блока"
    int pauseAtStart = 0;          // "Пауза в начале" (ms)
    int pauseAtEnd = 0;            // "Пауза в конце" (ms)
    int applyDictionaries = 0;     // "Обработать словарем"
    // "Настройки аудиофайлов"
    int compressMp3 = 1;           // "Сжимать в MP3"
    int deleteWav = 1;             // "Удалять WAV файлы"
    int renameByChapters = 1;      // "Переименовывать по главам" (stored, acted on by nothing)
    int id3Tags = 1;               // "Добавить ID3 тэги"
    int rerecordExisting = 0;      // "Не пропускать, если файл существует"
    QString lameParameters = QStringLiteral("-b 64 -h"); // "Параметры LAME"
    int lamePriority = 1;          // "Приоритет LAME": 0 normal, 1 idle, 2 high
    // "Настройки путей"
    QString outputFolder;          // "Каталог для готовых аудиофайлов"
    QString exportFolder;          // "Каталог для экспорта книг"
    // "Имя файла и тэги"
    QString fileNameTemplate;      // "Имя файла" (empty: the default name)
    QString titleTemplate;         // "Title"
    QString artistTemplate;        // "Artist"
    QString albumTemplate;         // "Album"
    int replaceSpaces = 0;         // "_Пробел"
    int removeDots = 0;            // "Точки"
    int yoToYe = 0;                // "Ё-Е"
    int translit = 0;              // "Translit"
    // "Окна"
    QString mainPlacement;         // "Главное"
};

// Reads every key in the file's order into `settings`. A key that is absent,
// empty or does not convert keeps the value the record had, and the keys after
// it are still read. "Переименовывать по главам" is set to 1 without reading.
// A stored "Коэффициент1" of 0 or no number becomes 21; a negative
// "Номер книги" becomes 0.
void loadSettings(Settings &settings, const QString &iniPath);

// Writes every key in the same order, numbers with a decimal point whatever
// the locale; "Событие по завершению" 3 (switch off) is stored as 1 so a
// shutdown never survives a restart. False when the file could not be written.
bool saveSettings(const Settings &settings, const QString &iniPath);
