#include "dictionaries/dictionaries.h"

#include "dictionaries/dictionary_file.h"

#include "common/program_folder.h"

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
    ::loadDictionaryFile(m_table, path, append);
    m_engine.reset();
}

void Dictionaries::clearEntries()
{
    m_table.clear();
    m_engine.reset();
}

std::shared_ptr<const DictionaryEngine> Dictionaries::engine() const
{
    if (!m_engine)
        m_engine = std::make_shared<const DictionaryEngine>(m_table);
    return m_engine;
}

QString Dictionaries::applyDictionaries(const QString &text, const DictionaryEngine::YieldHook &yield) const
{
    const std::shared_ptr<const DictionaryEngine> current = engine();
    return current->apply(text, yield);
}
