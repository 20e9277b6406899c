#pragma once
// The book editor's options that steer the add pass, kept in "Lectorium.ini",
// section "Добавление книги". The editor and lectorium-cli share them.

#include <QString>

struct AddOptions
{
    QString lastFolder;                                // "Начальный каталог"
    bool splitBySize = true;                           // "Разделять по размеру"
    QString maxBlockSizeText = QStringLiteral("4571"); // "Максимальный размер блока", as typed
    bool splitByChapters = true;                       // "Разделять по оглавлению"
    bool paragraphWithoutIndent = false; // "Абзац НЕ начинается пробелом или табуляцией"
    bool dialogueStartsWithQuotes = false; // "Диалог начинается с кавычек"
    bool removeHyphens = true;             // "Удалять переносы"
    bool applyDictionaries = false;        // "Обработать словарем"
    bool analyseDialogues = true;          // "Анализ диалогов"
    bool twoVoiceDialogue = false;         // "2-х голосый диалог"
    bool fixYears = true;                  // "fix2000"

    // The numeric value of the size field rounded to the nearest integer
    // ("4571.43" -> 4571); a field without a number gives 0.
    int maxBlockSize() const;
};

// Keys that are missing or do not convert keep the value `options` had.
void loadAddOptions(AddOptions &options, const QString &iniPath);
bool saveAddOptions(const AddOptions &options, const QString &iniPath);
