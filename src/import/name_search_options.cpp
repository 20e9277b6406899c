#include "import/name_search_options.h"

#include "common/ini_file.h"

namespace {

const QString kSection = QStringLiteral("Поиск имен");
const QString kForeign = QStringLiteral("Искать латиницу");
const QString kLong = QStringLiteral("Искать длинные слова");
const QString kLength = QStringLiteral("Мин кол-во букв в слове");

std::optional<int> readNumber(const IniDocument &ini, const QString &key)
{
    bool ok = false;
    const int value = ini.read(kSection, key).value_or(QString()).trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QList<WordLengthChoice> makeChoices()
{
    QList<WordLengthChoice> choices{{QStringLiteral("Не искать"), std::nullopt}};
    for (int length = 15; length >= 2; --length)
        choices.append({QStringLiteral(">%1 букв").arg(length), length});
    choices.append({QStringLiteral(">1 буквы"), 1});
    choices.append({QStringLiteral("Все слова"), 0});
    return choices;
}

} // namespace

void loadNameSearchOptions(NameSearchOptions &options, const QString &iniPath)
{
    const IniDocument ini = IniDocument::load(iniPath);
    if (const auto value = readNumber(ini, kForeign))
        options.foreignWords = *value != 0;
    if (const auto value = readNumber(ini, kLong))
        options.longWords = *value != 0;
    if (const auto value = readNumber(ini, kLength))
        options.minimumLength = *value;
}

bool saveNameSearchOptions(const NameSearchOptions &options, const QString &iniPath)
{
    auto ini = IniDocument::loadForUpdate(iniPath);
    if (!ini)
        return false;
    ini->write(kSection, kForeign, int(options.foreignWords));
    ini->write(kSection, kLong, int(options.longWords));
    ini->write(kSection, kLength, options.minimumLength);
    return ini->save(iniPath);
}

const QList<WordLengthChoice> &wordLengthChoices()
{
    static const QList<WordLengthChoice> choices = makeChoices();
    return choices;
}

int wordLengthChoiceIndex(const NameSearchOptions &options)
{
    const QList<WordLengthChoice> &choices = wordLengthChoices();
    for (int i = 0; i < choices.size(); ++i) {
        if (options.longWords ? choices[i].minimumLength == options.minimumLength : !choices[i].minimumLength)
            return i;
    }
    return -1;
}

NameFinderOptions finderOptions(const NameSearchOptions &options)
{
    return {!options.foreignWords, !options.longWords, options.minimumLength};
}
