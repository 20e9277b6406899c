#include "import/add_options.h"

#include "common/ini_file.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Добавление книги");

struct FlagKey
{
    const char *key;
    bool AddOptions::*field;
};

// The flags after the size field, in the order the file keeps them.
const FlagKey kFlagsAfterSize[] = {
    {"Разделять по оглавлению", &AddOptions::splitByChapters},
    {"Абзац НЕ начинается пробелом или табуляцией", &AddOptions::paragraphWithoutIndent},
    {"Диалог начинается с кавычек", &AddOptions::dialogueStartsWithQuotes},
    {"Удалять переносы", &AddOptions::removeHyphens},
    {"Обработать словарем", &AddOptions::applyDictionaries},
    {"Анализ диалогов", &AddOptions::analyseDialogues},
    {"2-х голосый диалог", &AddOptions::twoVoiceDialogue},
    {"fix2000", &AddOptions::fixYears},
};

void readFlag(const IniDocument &ini, const char *key, bool &flag)
{
    bool ok = false;
    const int value = ini.read(kSection, QString::fromUtf8(key)).value_or(QString()).trimmed().toInt(&ok);
    if (ok)
        flag = value != 0;
}

} // namespace

int AddOptions::maxBlockSize() const
{
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*[-+]?\\d*\\.?\\d+"));
    const auto match = leadingNumber.match(maxBlockSizeText);
    if (!match.hasMatch())
        return 0;
    return int(std::lround(match.captured().trimmed().toDouble()));
}

void loadAddOptions(AddOptions &options, const QString &iniPath)
{
    const IniDocument ini = IniDocument::load(iniPath);
    if (const auto folder = ini.read(kSection, QStringLiteral("Начальный каталог")))
        options.lastFolder = *folder;
    readFlag(ini, "Разделять по размеру", options.splitBySize);
    if (const auto size = ini.read(kSection, QStringLiteral("Максимальный размер блока")))
        options.maxBlockSizeText = *size;
    for (const FlagKey &flag : kFlagsAfterSize)
        readFlag(ini, flag.key, options.*flag.field);
}

bool saveAddOptions(const AddOptions &options, const QString &iniPath)
{
    auto ini = IniDocument::loadForUpdate(iniPath);
    if (!ini)
        return false;
    ini->write(kSection, QStringLiteral("Начальный каталог"), options.lastFolder);
    ini->write(kSection, QStringLiteral("Разделять по размеру"), int(options.splitBySize));
    ini->write(kSection, QStringLiteral("Максимальный размер блока"), options.maxBlockSizeText);
    for (const FlagKey &flag : kFlagsAfterSize)
        ini->write(kSection, QString::fromUtf8(flag.key), int(options.*flag.field));
    return ini->save(iniPath);
}
