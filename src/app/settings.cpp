#include "app/settings.h"

#include "common/ini_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <variant>

namespace {

using Field = std::variant<bool Settings::*, int Settings::*, double Settings::*, QString Settings::*,
                           AfterFinish Settings::*, AudiobookFormat Settings::*>;

struct Key
{
    const char *section;
    const char *key;
    Field field;
};

// The keys in the order the file is read and written.
const Key kKeys[] = {
    {"Общие настройки", "Номер книги", &Settings::bookIndex},
    {"Общие настройки", "Событие по завершению", &Settings::afterFinish},
    {"Общие настройки", "Показывать процент в заголовке", &Settings::percentInTitle},
    {"Общие настройки", "Сворачивать в трей", &Settings::minimizeToTray},
    {"Общие настройки", "Всегда иконка в трее", &Settings::alwaysTrayIcon},
    {"Общие настройки", "Пакетная обработка", &Settings::batchMode},
    {"Общие настройки", "Масштабировать интерфейс", &Settings::scaleInterface},
    {"Общие настройки", "Масштабировать панель инструментов", &Settings::scaleToolbar},
    {"Общие настройки", "Первый запуск", &Settings::firstStart},
    {"Общие настройки", "Высокий приоритет", &Settings::highPriority},
    {"Общие настройки", "SpeechCube.exe", &Settings::speechCubePath},
    {"Общие настройки", "Коэффициент1", &Settings::coefficient1},
    {"Общие настройки", "Удалять проект", &Settings::deleteProject},
    {"Настройки движка", "Номер движка", &Settings::voiceIndex},
    {"Настройки движка", "Слежение", &Settings::followEngine},
    {"Настройки движка", "Кол-во попыток", &Settings::attempts},
    {"Настройки движка", "Кол-во аудиопотоков", &Settings::audioStreams},
    {"Настройки движка", "Громкость", &Settings::fullVolume},
    {"Настройки голоса", "Повествование - скорость", &Settings::narrationRate},
    {"Настройки голоса", "Повествование - высота", &Settings::narrationPitch},
    {"Настройки голоса", "Повествование - пауза", &Settings::narrationPause},
    {"Настройки голоса", "Речь - скорость", &Settings::speechRate},
    {"Настройки голоса", "Речь - высота", &Settings::speechPitch},
    {"Настройки голоса", "Речь - пауза", &Settings::speechPause},
    {"Настройки голоса", "Речь2 - скорость", &Settings::speech2Rate},
    {"Настройки голоса", "Речь2 - высота", &Settings::speech2Pitch},
    {"Настройки голоса", "Автор - скорость", &Settings::authorRate},
    {"Настройки голоса", "Автор - высота", &Settings::authorPitch},
    {"Настройки голоса", "Автор - пауза", &Settings::authorPause},
    {"Настройки голоса", "Расставлять ударения автоматически", &Settings::autoStress},
    {"Настройки записи", "Обьявлять номер блока", &Settings::announceBlockNumber},
    {"Настройки записи", "Пауза в начале", &Settings::pauseAtStart},
    {"Настройки записи", "Пауза в конце", &Settings::pauseAtEnd},
    {"Настройки записи", "Обработать словарем", &Settings::applyDictionaries},
    {"Настройки аудиофайлов", "Сжимать в MP3", &Settings::compressMp3},
    {"Настройки аудиофайлов", "Удалять WAV файлы", &Settings::deleteWav},
    {"Настройки аудиофайлов", "Переименовывать по главам", &Settings::renameByChapters},
    {"Настройки аудиофайлов", "Добавить ID3 тэги", &Settings::id3Tags},
    {"Настройки аудиофайлов", "Не пропускать, если файл существует", &Settings::rerecordExisting},
    {"Настройки аудиофайлов", "Параметры LAME", &Settings::lameParameters},
    {"Настройки аудиофайлов", "Приоритет LAME", &Settings::lamePriority},
    {"Настройки аудиофайлов", "Формат аудиокниги", &Settings::audiobookFormat},
    {"Настройки аудиофайлов", "Удалять MP3 блоков", &Settings::deleteBlockMp3},
    {"Настройки аудиофайлов", "Потоков кодирования", &Settings::encoderJobs},
    {"Настройки аудиофайлов", "Текст для чтения вслед (LRC)", &Settings::readAlong},
    {"Настройки аудиофайлов", "Текст для чтения вслед по словам", &Settings::readAlongWords},
    {"Настройки путей", "Каталог для готовых аудиофайлов", &Settings::outputFolder},
    {"Настройки путей", "Каталог для экспорта книг", &Settings::exportFolder},
    {"Имя файла и тэги", "Имя файла", &Settings::fileNameTemplate},
    {"Имя файла и тэги", "Title", &Settings::titleTemplate},
    {"Имя файла и тэги", "Artist", &Settings::artistTemplate},
    {"Имя файла и тэги", "Album", &Settings::albumTemplate},
    {"Имя файла и тэги", "_Пробел", &Settings::replaceSpaces},
    {"Имя файла и тэги", "Точки", &Settings::removeDots},
    {"Имя файла и тэги", "Ё-Е", &Settings::yoToYe},
    {"Имя файла и тэги", "Translit", &Settings::translit},
    {"Окна", "Главное", &Settings::mainPlacement},
};

// A 16-bit whole number as the settings file holds it; a fractional value is
// rounded. Nothing for text that is no number or lies outside the range.
std::optional<int> toInt16(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double rounded = std::nearbyint(v);
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<int>(rounded);
}

// The leading number of the text, as a number reading with "." as the decimal
// point does it: "1.5abc" gives 1.5, "abc" gives 0.
double leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    bool point = false;
    while (end < t.size() && (t[end].isDigit() || (!point && t[end] == u'.'))) {
        point = point || t[end] == u'.';
        ++end;
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

bool isKey(const Key &k, const char *name)
{
    return qstrcmp(k.key, name) == 0;
}

} // namespace

void loadSettings(Settings &settings, const QString &iniPath)
{
    const IniDocument ini = IniDocument::load(iniPath);
    for (const Key &k : kKeys) {
        if (isKey(k, "Переименовывать по главам"))
            continue;
        const auto text = ini.read(QString::fromUtf8(k.section), QString::fromUtf8(k.key));
        if (!text)
            continue;
        if (isKey(k, "Коэффициент1")) {
            const double v = leadingNumber(*text);
            settings.coefficient1 = v == 0.0 ? kDefaultCoefficient1 : v;
        } else if (auto switchField = std::get_if<bool Settings::*>(&k.field)) {
            // A switch is on when the file says 1, as it always was read.
            if (const auto v = toInt16(*text))
                settings.*(*switchField) = *v == 1;
        } else if (auto intField = std::get_if<int Settings::*>(&k.field)) {
            if (const auto v = toInt16(*text))
                settings.*(*intField) = *v;
        } else if (auto actionField = std::get_if<AfterFinish Settings::*>(&k.field)) {
            if (const auto v = toInt16(*text))
                settings.*(*actionField) = AfterFinish(std::clamp(*v, 0, int(AfterFinish::SwitchOff)));
        } else if (auto formatField = std::get_if<AudiobookFormat Settings::*>(&k.field)) {
            // An unknown number (a newer program's choice) keeps the folder of MP3 files.
            if (const auto v = toInt16(*text))
                settings.*(*formatField) =
                    *v >= 0 && *v <= int(AudiobookFormat::Mp3Book) ? AudiobookFormat(*v) : AudiobookFormat::BlockMp3;
        } else if (auto stringField = std::get_if<QString Settings::*>(&k.field)) {
            settings.*(*stringField) = *text;
        }
    }
    if (settings.bookIndex < 0)
        settings.bookIndex = 0;
    settings.renameByChapters = true;
}

bool saveSettings(const Settings &settings, const QString &iniPath)
{
    auto loaded = IniDocument::loadForUpdate(iniPath);
    if (!loaded)
        return false;
    IniDocument &ini = *loaded;
    for (const Key &k : kKeys) {
        const QString section = QString::fromUtf8(k.section);
        const QString key = QString::fromUtf8(k.key);
        if (auto switchField = std::get_if<bool Settings::*>(&k.field)) {
            ini.write(section, key, settings.*(*switchField) ? 1 : 0);
        } else if (auto intField = std::get_if<int Settings::*>(&k.field)) {
            ini.write(section, key, settings.*(*intField));
        } else if (auto actionField = std::get_if<AfterFinish Settings::*>(&k.field)) {
            const AfterFinish action = settings.*(*actionField);
            ini.write(section, key, int(action == AfterFinish::SwitchOff ? AfterFinish::ShowMessage : action));
        } else if (auto formatField = std::get_if<AudiobookFormat Settings::*>(&k.field)) {
            ini.write(section, key, int(settings.*(*formatField)));
        } else if (auto doubleField = std::get_if<double Settings::*>(&k.field)) {
            ini.write(section, key, settings.*(*doubleField));
        } else {
            ini.write(section, key, settings.*std::get<QString Settings::*>(k.field));
        }
    }
    return ini.save(iniPath);
}
