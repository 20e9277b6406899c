#pragma once
// The dictionary module of a program folder: the dictionary list and the
// active entry table that speech text is rewritten with. The main window owns
// one; the recording path, the add pass, the editor and the tools use it.
//
// Callers rebuild it wholesale, never patch it: LoadDicList, then
// LoadEnabledDictionaries, then ApplyDictionaries for each text.

#include "dic_list.h"
#include "dic_table.h"
#include "dictionary_engine.h"

#include <QString>

#include <memory>

class Dictionaries
{
public:
    explicit Dictionaries(const QString &programFolder);

    // programFolder/Dic
    const QString &dictionaryFolder() const { return m_folder; }
    QString dictionaryPath(const QString &name) const { return m_folder + u'/' + name; }

    const DicList &dicList() const { return m_list; }
    const DicTable &activeTable() const { return m_table; }

    void LoadDicList();
    bool SaveDicList() const;
    // Sets one dictionary's flag and writes the list file at once.
    bool setEnabled(int index, bool enabled);

    // ClearEntries, then every enabled dictionary in list order.
    void LoadEnabledDictionaries();
    void LoadDictionaryFile(const QString &path, bool append);
    void ClearEntries();

    // Rewrites a text with the active table. With `yield` the pending events
    // of the window run now and then (at most every 50 ms) while a long text
    // is rewritten.
    QString ApplyDictionaries(const QString &text, bool yield) const;
    // The same with the caller's own yield hook (the debugger, the CLI).
    QString rewrite(const QString &text, const DictionaryEngine::YieldHook &yield) const;

    // The engine over the active table (the name finder's filter asks it
    // which words the dictionaries change).
    std::shared_ptr<const DictionaryEngine> engine() const;

private:

    QString m_folder;
    DicList m_list;
    DicTable m_table;
    // Built from m_table on first use after a change; a rewrite keeps its own
    // reference, so a reload from an event handler cannot pull it away.
    mutable std::shared_ptr<const DictionaryEngine> m_engine;
};
