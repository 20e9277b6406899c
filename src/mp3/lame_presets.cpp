#include "mp3/lame_presets.h"

#include "common/ini_file.h"

namespace {

const QString kSection = QStringLiteral("LAME");

QString presetKey(int n)
{
    return QStringLiteral("Preset") + QString::number(n);
}

} // namespace

LamePresets LamePresets::read(const QString &iniPath)
{
    const IniDocument ini = IniDocument::load(iniPath);
    LamePresets presets;
    for (int n = 1;; ++n) {
        const auto value = ini.read(kSection, presetKey(n));
        if (!value)
            break;
        const QStringList parts = value->split(u':');
        if (parts.size() < 2)
            continue;
        presets.m_presets.append({parts[0], parts[1]});
        ++presets.m_storedCount;
    }
    const int selected = ini.read(kSection, QStringLiteral("Selected")).value_or(QString()).toInt();
    if (selected >= 1 && selected <= presets.m_presets.size())
        presets.m_selected = selected - 1;
    return presets;
}

QString LamePresets::proposedName(std::optional<int> shown) const
{
    if (shown && *shown >= 0 && *shown < m_presets.size())
        return m_presets[*shown].name;
    return QStringLiteral("Preset 1");
}

std::optional<int> LamePresets::saveAs(const QString &name, const QString &options, UserDialogs &dialogs)
{
    if (name.isEmpty())
        return std::nullopt;
    for (int i = 0; i < m_presets.size(); ++i) {
        if (m_presets[i].name != name)
            continue;
        const DialogMessage question{QStringLiteral("Lectorium"),
                                     QStringLiteral("Перезаписать пресет \"%1\" ?").arg(name), DialogIcon::Question,
                                     DialogButtons::YesNo};
        if (dialogs.show(question) != DialogAnswer::Yes)
            return int(m_presets.size()) - 1;
        m_presets[i].options = options;
        return i;
    }
    m_presets.append({name, options});
    return int(m_presets.size()) - 1;
}

void LamePresets::remove(int index)
{
    if (index >= 0 && index < m_presets.size())
        m_presets.removeAt(index);
}

bool LamePresets::savePresets(const QString &iniPath, std::optional<int> selected)
{
    auto ini = IniDocument::loadForUpdate(iniPath);
    if (!ini)
        return false;
    for (int n = 1; n <= m_storedCount; ++n)
        ini->write(kSection, presetKey(n), QString());
    for (int i = 0; i < m_presets.size(); ++i)
        ini->write(kSection, presetKey(i + 1), m_presets[i].name + u':' + m_presets[i].options);
    ini->write(kSection, QStringLiteral("Selected"), selected ? *selected + 1 : 0);
    if (!ini->save(iniPath))
        return false;
    // A later save must also clear what this one wrote.
    m_storedCount = std::max(m_storedCount, int(m_presets.size()));
    return true;
}
