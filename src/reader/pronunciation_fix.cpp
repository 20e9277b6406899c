#include "reader/pronunciation_fix.h"

#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_list.h"
#include "dictionaries/dictionary_save_notice.h"
#include "recording/voice_text.h"

#include <QTemporaryDir>

#include <algorithm>

namespace {

const QString kVowels = QStringLiteral("аеёиоуыэюяАЕЁИОУЫЭЮЯ");
// What a Russian word may end in after its stem.
const QString kEndingLetters = QStringLiteral("аеёиоуыэюяйь");

bool isVowel(QChar c)
{
    return kVowels.contains(c);
}

} // namespace

namespace {

bool isWordCharacter(const QString &text, int at)
{
    if (at < 0 || at >= text.size())
        return false;
    const QChar c = text.at(at);
    if (c.isLetterOrNumber() || c == u'+')
        return true;
    // A hyphen between letters belongs to the word ("кто-то").
    return c == u'-' && at > 0 && at + 1 < text.size() && text.at(at - 1).isLetter() && text.at(at + 1).isLetter();
}

bool endsSentence(QChar c)
{
    return c == u'.' || c == u'!' || c == u'?' || c == QChar(0x2026) || c == u'\n' || c == u'\r';
}

} // namespace

std::pair<int, int> wordAt(const QString &text, int position)
{
    // A click just after a word's last letter still means that word.
    if (!isWordCharacter(text, position) && isWordCharacter(text, position - 1))
        --position;
    if (!isWordCharacter(text, position))
        return {position, 0};
    int start = position;
    while (isWordCharacter(text, start - 1))
        --start;
    int end = position;
    while (isWordCharacter(text, end))
        ++end;
    return {start, end - start};
}

QString sentenceAround(const QString &text, int position)
{
    position = std::clamp(position, 0, int(text.size()));
    int start = position;
    while (start > 0 && !endsSentence(text.at(start - 1)))
        --start;
    int end = position;
    while (end < text.size() && !endsSentence(text.at(end)))
        ++end;
    // The sentence keeps its own final mark.
    while (end < text.size() && endsSentence(text.at(end)) && text.at(end) != u'\n' && text.at(end) != u'\r')
        ++end;
    return text.mid(start, end - start).trimmed();
}

QList<int> vowelPositions(const QString &text)
{
    QList<int> positions;
    for (int i = 0; i < text.size(); ++i)
        if (isVowel(text.at(i)))
            positions.append(i);
    return positions;
}

QString withStressOn(const QString &text, int vowel)
{
    QString bare = text;
    bare.remove(u'+');
    const QList<int> vowels = vowelPositions(bare);
    if (vowel < 0 || vowel >= vowels.size())
        return text;
    return bare.insert(vowels.at(vowel) + 1, u'+');
}

std::optional<DictionaryEntry> fixEntry(const QString &word, const QString &respelling, EntryForm form)
{
    const QString key = word.trimmed().toLower();
    const QString spelled = respelling.trimmed();
    if (key.isEmpty() || spelled.isEmpty() || key.contains(u' '))
        return std::nullopt;
    if (form == EntryForm::ThisForm)
        return DictionaryEntry{key, spelled, false, BoundaryMode::DelimiterBeforeAndAfter};
    qsizetype stemLength = key.size();
    while (stemLength > 0 && kEndingLetters.contains(key.at(stemLength - 1)))
        --stemLength;
    const qsizetype endingLength = key.size() - stemLength;
    if (stemLength < 2)
        return std::nullopt;
    // The respelling loses the same letters; a stress among them would be
    // lost with them.
    qsizetype cut = spelled.size();
    for (qsizetype letters = 0; letters < endingLength; ++letters) {
        if (cut == 0 || spelled.at(cut - 1) == u'+'
            || spelled.at(cut - 1).toLower() != key.at(key.size() - 1 - letters))
            return std::nullopt;
        --cut;
    }
    const QString stem = spelled.left(cut);
    if (stem.isEmpty() || stem == u"+")
        return std::nullopt;
    return DictionaryEntry{key.left(stemLength), stem, false, BoundaryMode::DelimiterBefore};
}

PronunciationFix::PronunciationFix(QString programFolder, const Settings &settings, QString word, QString sentence)
    : m_programFolder(std::move(programFolder)), m_settings(settings), m_word(std::move(word)),
      m_sentence(std::move(sentence)), m_current(enabledDictionaries(m_programFolder))
{
    // The fix is a dictionary entry: it is heard with the dictionaries on.
    m_settings.applyDictionaries = true;
    respelling = spokenForm();
    dictionary = dictionaryChoices().value(0);
}

QString PronunciationFix::spoken(const QString &text, const Dictionaries &dictionaries) const
{
    const DictionaryRewrite rewrite = voiceText(text, m_settings, m_programFolder, &dictionaries);
    return rewrite.ok() ? rewrite.text : text;
}

QString PronunciationFix::spokenForm() const
{
    return spoken(m_word, *m_current);
}

QString PronunciationFix::spokenSentence() const
{
    return spoken(m_sentence, *m_current);
}

QString PronunciationFix::spokenSentenceWithFix() const
{
    const auto withFix = dictionariesWithFix();
    return spoken(m_sentence, withFix ? *withFix : *m_current);
}

QStringList PronunciationFix::dictionaryChoices() const
{
    QStringList names;
    for (const ListedDictionary &listed : m_current->dicList())
        if (listed.enabled)
            names.append(listed.name);
    if (names.isEmpty())
        names.append(kFixDictionaryName);
    return names;
}

std::optional<DictionaryEntry> PronunciationFix::entry(QString *problem) const
{
    const auto made = fixEntry(m_word, respelling, form);
    if (!made && problem)
        *problem = respelling.trimmed().isEmpty()
                       ? QStringLiteral("Введите, как произносить слово.")
                       : QStringLiteral("Для всех форм слова нужна основа: окончание написания должно совпадать с "
                                        "окончанием слова «%1», а ударение — стоять до него. Выберите «только эта "
                                        "форма».")
                             .arg(m_word);
    return made;
}

DictionaryTable PronunciationFix::tableWithFix(const DictionaryEntry &entry) const
{
    DictionaryTable table;
    loadDictionaryFile(table, pathInDictionaryFolder(m_current->dictionaryFolder(), dictionary), false);
    table.removeIf([&](const DictionaryEntry &old) {
        return old.mode == entry.mode && old.caseSensitive == entry.caseSensitive
               && old.key.compare(entry.key, Qt::CaseInsensitive) == 0;
    });
    table.prepend(entry);
    return table;
}

std::unique_ptr<Dictionaries> PronunciationFix::dictionariesWithFix() const
{
    const auto made = entry();
    QTemporaryDir work;
    if (!made || !work.isValid())
        return nullptr;
    const QString changed = work.filePath(QStringLiteral("fix.dic"));
    if (!writeDictionary(changed, tableWithFix(*made)))
        return nullptr;
    auto dictionaries = std::make_unique<Dictionaries>(m_programFolder);
    dictionaries->loadDictionaryList();
    dictionaries->clearEntries();
    // A dictionary that is not enabled yet goes first, as the save puts it.
    if (!std::any_of(m_current->dicList().cbegin(), m_current->dicList().cend(),
                     [&](const ListedDictionary &listed) { return listed.enabled && listed.name == dictionary; }))
        dictionaries->loadDictionaryFile(changed, true);
    for (const ListedDictionary &listed : m_current->dicList())
        if (listed.enabled)
            dictionaries->loadDictionaryFile(
                listed.name == dictionary ? changed : m_current->dictionaryPath(listed.name), true);
    return dictionaries;
}

bool PronunciationFix::save(QString *failure)
{
    QString problem;
    const auto made = entry(&problem);
    if (!made) {
        *failure = problem;
        return false;
    }
    const QString folder = m_current->dictionaryFolder();
    const QString path = pathInDictionaryFolder(folder, dictionary);
    if (!writeDictionary(path, tableWithFix(*made))) {
        *failure = QStringLiteral("Не удалось записать словарь:\n%1").arg(path);
        return false;
    }
    DictionaryList list = loadDictionaryList(folder);
    const auto listed =
        std::find_if(list.begin(), list.end(), [&](const ListedDictionary &each) { return each.name == dictionary; });
    if (listed == list.end() || !listed->enabled) {
        // First, so that no other entry has rewritten the word before it.
        if (listed != list.end())
            list.erase(listed);
        list.prepend({dictionary, true});
        if (!saveDictionaryList(folder, list)) {
            *failure = QStringLiteral("Не удалось записать список словарей в папке\n%1").arg(folder);
            return false;
        }
    }
    m_beforeSave = std::exchange(m_current, enabledDictionaries(m_programFolder));
    emit DictionarySaveNotice::instance().saved();
    return true;
}

TouchedBlocks PronunciationFix::touchedBlocks(const QStringList &books, const std::function<bool()> &keepGoing) const
{
    if (m_beforeSave)
        return blocksTouchedByChange(m_programFolder, m_settings.autoStress, books, *m_beforeSave, *m_current,
                                     keepGoing);
    const auto withFix = dictionariesWithFix();
    if (!withFix)
        return {};
    return blocksTouchedByChange(m_programFolder, m_settings.autoStress, books, *m_current, *withFix, keepGoing);
}
