#include "stress/shared_stress_lexicon.h"

#include <QFileInfo>
#include <QMutex>

#include <map>
#include <memory>

namespace {

struct LoadedLexicon
{
    std::unique_ptr<StressLexicon> lexicon = std::make_unique<StressLexicon>();
    QString error;
};

} // namespace

const StressLexicon &sharedStressLexicon(const QString &programFolder, QString *error)
{
    // Keyed by the file found, so program folders without a lexicon of their
    // own share the one beside the program.
    static QMutex mutex;
    static std::map<QString, LoadedLexicon> loaded;
    QString file;
    for (const QString &candidate : StressLexicon::candidateFiles(programFolder)) {
        if (QFileInfo::exists(candidate)) {
            file = QFileInfo(candidate).canonicalFilePath();
            break;
        }
    }
    const QMutexLocker lock(&mutex);
    auto [found, inserted] = loaded.try_emplace(file);
    LoadedLexicon &entry = found->second;
    if (inserted) {
        if (file.isEmpty())
            entry.error = QStringLiteral("Не найден словарь ударений (Stress/ru-stress.lex).");
        else
            entry.lexicon->load(file, &entry.error);
    }
    if (error)
        *error = entry.error;
    return *entry.lexicon;
}
