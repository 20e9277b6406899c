#include "dictionaries.h"

#include "dic_file.h"

#include "common/program_folder.h"

#include <QCoreApplication>

Dictionaries::Dictionaries(const QString &programFolder)
    : m_folder(programPath(programFolder, QStringLiteral("\\Dic")))
{
}

void Dictionaries::LoadDicList()
{
    m_list = ::LoadDicList(m_folder);
}

bool Dictionaries::SaveDicList() const
{
    return ::SaveDicList(m_folder, m_list);
}

bool Dictionaries::setEnabled(int index, bool enabled)
{
    if (index < 0 || index > m_list.DicLast())
        return false;
    m_list.DicEnabled[index] = enabled;
    return SaveDicList();
}

void Dictionaries::LoadEnabledDictionaries()
{
    ClearEntries();
    for (int i = 0; i <= m_list.DicLast(); ++i) {
        if (m_list.DicEnabled[i])
            LoadDictionaryFile(dictionaryPath(m_list.DicNames[i]), true);
    }
}

void Dictionaries::LoadDictionaryFile(const QString &path, bool append)
{
    ::LoadDictionaryFile(m_table, path, append);
    m_engine.reset();
}

void Dictionaries::ClearEntries()
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

QString Dictionaries::ApplyDictionaries(const QString &text, bool yield) const
{
    if (!yield)
        return rewrite(text, {});
    return rewrite(text, [] { QCoreApplication::processEvents(); });
}

QString Dictionaries::rewrite(const QString &text, const DictionaryEngine::YieldHook &yield) const
{
    const std::shared_ptr<const DictionaryEngine> current = engine();
    return current->apply(text, yield);
}
