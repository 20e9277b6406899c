#pragma once
// The main window's settings record: one field per key of "Lectorium.ini"
// that the main window loads and saves. Other windows keep their own sections
// in the same file.

#include <QString>

// "Коэффициент1" of a new installation, in WAV bytes per character / 100:
// what espeak-ng's Russian voice speaks at default settings into its
// 44,100-byte-a-second files (25.5 to 26.1 measured on whole books).
inline constexpr double kDefaultCoefficient1 = 25.8;

// What happens when a recording job ends, in the order of the main window's
// list (the stored number is the position).
enum class AfterFinish { Nothing, ShowMessage, Exit, SwitchOff };

// What a recorded book becomes, in the order of the options window's list
// (the stored number is the position): a folder of MP3 files, one per block,
// or besides them one file for the whole book with a chapter per block.
enum class AudiobookFormat { BlockMp3, M4bBook, Mp3Book };

struct Settings
{
    // "Общие настройки"
    int bookIndex = 0;                              // "Номер книги"
    AfterFinish afterFinish = AfterFinish::Nothing; // "Событие по завершению"
    bool percentInTitle = true;                     // "Показывать процент в заголовке"
    bool minimizeToTray = false;                    // "Сворачивать в трей"
    bool alwaysTrayIcon = false;                    // "Всегда иконка в трее"
    bool batchMode = false;                         // "Пакетная обработка"
    bool scaleInterface = true;                     // "Масштабировать интерфейс"
    bool scaleToolbar = false;                  // "Масштабировать панель инструментов"
    bool firstStart = true;                     // "Первый запуск"
    bool highPriority = false;                  // "Высокий приоритет"
    QString speechCubePath;                     // "SpeechCube.exe"
    double coefficient1 = kDefaultCoefficient1; // "Коэффициент1": WAV bytes per character / 100
    bool deleteProject = false;                 // "Удалять проект"
    // "Настройки движка"
    int voiceIndex = 0;        // "Номер движка"
    bool followEngine = false; // "Слежение": 1 follow the engine's position, 0 the file size
    int attempts = 3;          // "Кол-во попыток"
    int audioStreams = 0;      // "Кол-во аудиопотоков"
    bool fullVolume = true;    // "Громкость"
    // "Настройки голоса"
    QString narrationRate = QStringLiteral("0");  // "Повествование - скорость"
    QString narrationPitch = QStringLiteral("0"); // "Повествование - высота"
    QString narrationPause = QStringLiteral("0"); // "Повествование - пауза"
    QString speechRate = QStringLiteral("0");     // "Речь - скорость"
    QString speechPitch = QStringLiteral("0");    // "Речь - высота"
    QString speechPause = QStringLiteral("300");  // "Речь - пауза"
    QString speech2Rate = QStringLiteral("0");    // "Речь2 - скорость"
    QString speech2Pitch = QStringLiteral("0");   // "Речь2 - высота"
    QString authorRate = QStringLiteral("0");     // "Автор - скорость"
    QString authorPitch = QStringLiteral("0");    // "Автор - высота"
    QString authorPause = QStringLiteral("300");  // "Автор - пауза"
    bool autoStress = true; // "Расставлять ударения автоматически"
    // "Настройки записи"
    bool announceBlockNumber = false; // "Обьявлять номер блока"
    int pauseAtStart = 0;             // "Пауза в начале" (ms)
    int pauseAtEnd = 0;               // "Пауза в конце" (ms)
    bool applyDictionaries = false;   // "Обработать словарем"
    // "Настройки аудиофайлов"
    bool compressMp3 = true;       // "Сжимать в MP3"
    bool deleteWav = true;         // "Удалять WAV файлы"
    bool renameByChapters = true;  // "Переименовывать по главам" (stored, acted on by nothing)
    bool id3Tags = true;           // "Добавить ID3 тэги"
    bool rerecordExisting = false; // "Не пропускать, если файл существует"
    QString lameParameters = QStringLiteral("-b 64 -h");         // "Параметры LAME"
    int lamePriority = 1;                                        // "Приоритет LAME": 0 normal, 1 idle, 2 high
    AudiobookFormat audiobookFormat = AudiobookFormat::BlockMp3; // "Формат аудиокниги"
    bool deleteBlockMp3 = false; // "Удалять MP3 блоков": once the one-file book holds every block
    int encoderJobs = 0;         // "Потоков кодирования": encoders at once, 0 = one per processor
    bool readAlong = false;      // "Текст для чтения вслед (LRC)": an LRC beside each block's audio
    bool readAlongWords = false; // "Текст для чтения вслед по словам": the LRC times every word too
    // "Настройки путей"
    QString outputFolder; // "Каталог для готовых аудиофайлов"
    QString exportFolder; // "Каталог для экспорта книг"
    // "Имя файла и тэги"
    QString fileNameTemplate;   // "Имя файла" (empty: the default name)
    QString titleTemplate;      // "Title"
    QString artistTemplate;     // "Artist"
    QString albumTemplate;      // "Album"
    bool replaceSpaces = false; // "_Пробел"
    bool removeDots = false;    // "Точки"
    bool yoToYe = false;        // "Ё-Е"
    bool translit = false;      // "Translit"
    // "Окна"
    QString mainPlacement; // "Главное"
};

// Reads every key in the file's order into `settings`. A key that is absent,
// empty or does not convert keeps the value the record had, and the keys after
// it are still read. "Переименовывать по главам" is set to 1 without reading.
// A stored "Коэффициент1" of 0 or no number becomes kDefaultCoefficient1; a negative
// "Номер книги" becomes 0.
void loadSettings(Settings &settings, const QString &iniPath);

// Writes every key in the same order, numbers with a decimal point whatever
// the locale; "Событие по завершению" 3 (switch off) is stored as 1 so a
// shutdown never survives a restart. False when the file could not be written.
bool saveSettings(const Settings &settings, const QString &iniPath);
