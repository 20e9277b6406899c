#pragma once
// The dictionary module of a program folder: the dictionary list and the
// active entry table that speech text is rewritten with. The main window owns
// one; the recording path, the add pass, the editor and the tools use it.
//
// Callers rebuild it wholesale, never patch it: loadDictionaryList, then
// loadEnabledDictionaries, then applyDictionaries for each text.

#include "dictionaries/dictionary_engine.h"
#include "dictionaries/dictionary_list.h"
#include "dictionaries/dictionary_rewrite.h"
#include "dictionaries/dictionary_table.h"

#include <QString>

#include <memory>

class Dictionaries
{
public:
    explicit Dictionaries(const QString &programFolder);

    // programFolder/Dic
    const QString &dictionaryFolder() const { return m_folder; }
    QString dictionaryPath(const QString &name) const { return m_folder + u'/' + name; }

    const DictionaryList &dicList() const { return m_list; }
    const DictionaryTable &activeTable() const { return m_table; }

    void loadDictionaryList();
    bool saveDictionaryList() const;
    // Sets one dictionary's flag and writes the list file at once.
    bool setEnabled(int index, bool enabled);

    // clearEntries, then every enabled dictionary in list order.
    void loadEnabledDictionaries();
    void loadDictionaryFile(const QString &path, bool append);
    void clearEntries();

    // Rewrites a text with the active table. `yield` is called now and then
    // (at most every 50 ms) while a long text is rewritten, so a window can
    // stay responsive.
    DictionaryRewrite applyDictionaries(const QString &text, const DictionaryEngine::YieldHook &yield = {}) const;

    // The engine over the active table (the name finder's filter asks it
    // which words the dictionaries change).
    std::shared_ptr<const DictionaryEngine> engine() const;

private:
    QString m_folder;
    DictionaryList m_list;
    DictionaryTable m_table;
    // Where each dictionary's entries begin in m_table, in load order.
    struct LoadedFile
    {
        qsizetype firstEntry;
        QString name;
    };
    QList<LoadedFile> m_loadedFiles;
    // The message for a rewrite that entry `index` made grow without end.
    QString runawayMessage(int index, qsizetype inputLength) const;
    // Built from m_table on first use after a change; a rewrite keeps its own
    // reference, so a reload from an event handler cannot pull it away.
    mutable std::shared_ptr<const DictionaryEngine> m_engine;
};
