#pragma once
// Named encoder option strings kept in the "LAME" section of the settings
// file as "Preset1", "Preset2", ... = name + ":" + options, and "Selected",
// the 1-based position of the chosen one (0: none).

#include "common/user_dialogs.h"

#include <QList>
#include <QString>

#include <optional>

struct LamePreset
{
    QString name;
    QString options;
};

class LamePresets
{
public:
    // The input box that asks for a preset's name.
    static inline const QString kNameTitle = QStringLiteral("Настройки Lame");
    static inline const QString kNamePrompt = QStringLiteral("Введите название пресета");

    // Reads "Preset1", "Preset2", ... up to the first empty or missing value;
    // values without ":" are skipped.
    static LamePresets read(const QString &iniPath);

    const QList<LamePreset> &list() const { return m_presets; }
    bool isEmpty() const { return m_presets.isEmpty(); }
    // The preset to choose on opening, if "Selected" names one.
    std::optional<int> selectedOnOpening() const { return m_selected; }

    // The name the input box proposes: the shown preset's, or "Preset 1".
    QString proposedName(std::optional<int> shown) const;

    // Saves `options` under `name`. An existing name (exact case) is
    // overwritten only after the user agrees. Returns the entry to choose
    // afterwards: the new or overwritten one, the last one when the user
    // declined; nothing for an empty name (nothing changes then).
    std::optional<int> saveAs(const QString &name, const QString &options, UserDialogs &dialogs);

    // Removes entry `index`; the settings file changes at the next save.
    void remove(int index);

    // Clears the keys read at opening (or written since), writes the list and
    // "Selected".
    bool savePresets(const QString &iniPath, std::optional<int> selected);

private:
    QList<LamePreset> m_presets;
    int m_storedCount = 0;
    std::optional<int> m_selected;
};
