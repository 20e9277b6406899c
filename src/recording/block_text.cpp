#include "recording/block_text.h"

#include "app/project_store.h"
#include "dictionaries/dictionaries.h"
#include "import/voice_markers.h"
#include "recording/progress_texts.h"
#include "recording/voice_markup.h"
#include "recording/voice_text.h"

BlockTextSource::BlockTextSource(const Settings &settings, QString programFolder, const Dictionaries *dictionaries)
    : m_settings(settings), m_programFolder(std::move(programFolder)), m_dictionaries(dictionaries)
{ }

QString BlockTextSource::folderOf(const QString &book) const
{
    return bookFolder(m_programFolder, book.isEmpty() ? m_selectedBook : book);
}

QString BlockTextSource::blockText(int n, bool noDictionary, bool xml, const QString &book, QString *dictionaryFailure,
                                   QString *spokenText) const
{
    QString text = readBlockFile(folderOf(book), n);
    const bool withDictionaries = !noDictionary && m_settings.applyDictionaries && m_dictionaries;
    if (withDictionaries && m_tellApplying)
        m_tellApplying(true);
    DictionaryRewrite rewrite =
        voiceText(text, m_settings, m_programFolder, withDictionaries ? m_dictionaries : nullptr, m_yield);
    if (withDictionaries && m_tellApplying)
        m_tellApplying(false);
    if (!rewrite.ok()) {
        if (dictionaryFailure)
            *dictionaryFailure = rewrite.failure;
        return {};
    }
    text = std::move(rewrite.text);
    if (spokenText)
        *spokenText = text;
    if (m_settings.announceBlockNumber) {
        const QString number = numberText(n);
        text = QStringLiteral(" {повествование->} Блок ") + number + QStringLiteral(". {пауза->}  ") + text
               + QStringLiteral(" {повествование->}  {пауза->} Конец блока ") + number + u'.';
    }
    const QString start = QString::number(m_settings.pauseAtStart);
    const QString end = QString::number(m_settings.pauseAtEnd);
    if (!xml) {
        if (m_settings.pauseAtStart > 0)
            text = QStringLiteral(".\\pause{") + start + QStringLiteral("ms}. ") + text;
        if (m_settings.pauseAtEnd > 0)
            text += QStringLiteral(".\\pause{") + end + QStringLiteral("ms}.");
        return toCubeMarkup(text, m_settings.voiceIndex);
    }
    if (m_settings.pauseAtStart > 0)
        text = QStringLiteral("<silence msec=\"") + start + QStringLiteral("\"/>") + text;
    if (m_settings.pauseAtEnd > 0)
        text += QStringLiteral("<silence msec=\"") + end + QStringLiteral("\"/>");
    return toSapiMarkup(text, m_settings.voiceIndex);
}

namespace {

int rawLength(QString text)
{
    // Pause first: where two markers share a blank, this order decides which
    // one is taken out whole.
    for (const QString *marker : {&VoiceMarker::pause, &VoiceMarker::narration, &VoiceMarker::speech,
                                  &VoiceMarker::speech2, &VoiceMarker::author})
        text.replace(*marker, QString());
    return int(text.size());
}

} // namespace

int BlockTextSource::blockRawLength(int n, const QString &book) const
{
    return rawLength(readBlockFile(folderOf(book), n));
}

qint64 bookRawLength(const QString &bookFolder)
{
    qint64 characters = 0;
    const int blocks = countBlocks(bookFolder);
    for (int n = 1; n <= blocks; ++n)
        characters += rawLength(readBlockFile(bookFolder, n));
    return characters;
}

QString bookTextAn(const QString &programFolder, const QStringList &books)
{
    QString all;
    for (const QString &book : books) {
        const QString folder = bookFolder(programFolder, book);
        const int blocks = countBlocks(folder);
        for (int n = 1; n <= blocks; ++n)
            all += removeVoiceMarkers(readBlockFile(folder, n));
        all += QStringLiteral("\r\n");
    }
    return all;
}
