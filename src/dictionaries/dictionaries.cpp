#include "dictionaries/dictionaries.h"

#include "dictionaries/dictionary_file.h"

#include "common/program_folder.h"

#include <QFileInfo>

Dictionaries::Dictionaries(const QString &programFolder) : m_folder(ProgramFolder(programFolder).dictionaryDir()) { }

void Dictionaries::loadDictionaryList()
{
    m_list = ::loadDictionaryList(m_folder);
}

bool Dictionaries::saveDictionaryList() const
{
    return ::saveDictionaryList(m_folder, m_list);
}

bool Dictionaries::setEnabled(int index, bool enabled)
{
    if (index < 0 || index >= m_list.size())
        return false;
    m_list[index].enabled = enabled;
    return saveDictionaryList();
}

void Dictionaries::loadEnabledDictionaries()
{
    clearEntries();
    for (const ListedDictionary &dictionary : m_list) {
        if (dictionary.enabled)
            loadDictionaryFile(dictionaryPath(dictionary.name), true);
    }
}

void Dictionaries::loadDictionaryFile(const QString &path, bool append)
{
    // The entries from `before` on are this file's, for naming it in messages.
    const qsizetype before = append ? m_table.size() : 0;
    if (!::loadDictionaryFile(m_table, path, append))
        return;
    if (!append)
        m_loadedFiles.clear();
    if (m_table.size() > before)
        m_loadedFiles.append({before, QFileInfo(path).fileName()});
    m_engine.reset();
}

void Dictionaries::clearEntries()
{
    m_table.clear();
    m_loadedFiles.clear();
    m_engine.reset();
}

std::shared_ptr<const DictionaryEngine> Dictionaries::engine() const
{
    if (!m_engine)
        m_engine = std::make_shared<const DictionaryEngine>(m_table);
    return m_engine;
}

DictionaryRewrite Dictionaries::applyDictionaries(const QString &text, const DictionaryEngine::YieldHook &yield) const
{
    const std::shared_ptr<const DictionaryEngine> current = engine();
    int runaway = -1;
    DictionaryRewrite rewrite{current->apply(text, yield, &runaway), QString()};
    if (runaway >= 0)
        rewrite.failure = runawayMessage(runaway, text.size());
    return rewrite;
}

QString Dictionaries::runawayMessage(int index, qsizetype inputLength) const
{
    QString dictionary;
    for (const LoadedFile &file : m_loadedFiles)
        if (file.firstEntry <= index)
            dictionary = file.name;
    QString entry = formatEntryLine(m_table.at(index));
    constexpr int kShownEntryLength = 120;
    if (entry.size() > kShownEntryLength)
        entry = entry.left(kShownEntryLength) + QStringLiteral("…");
    return QStringLiteral("Словарь «%1»: после статьи «%2» текст из %3 символов вырос более чем в %4 раз.\n"
                          "Вероятно, замена содержит собственный ключ или статьи удваивают текст одна за другой. "
                          "Обработка словарем остановлена; исправьте статью в редакторе словарей.")
        .arg(dictionary, entry)
        .arg(inputLength)
        .arg(DictionaryEngine::kGrowthFactor);
}
