#include "recording/block_fingerprint.h"

#include "common/ini_file.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

const QString kFileName = QStringLiteral(".lectorium-blocks.ini");
const QString kSection = QStringLiteral("Отпечатки");

// Eight bytes of SHA-1 tell two texts apart well enough and keep a line short.
QString shortDigest(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).left(8).toHex());
}

QString joined(const std::array<int, 4> &values)
{
    QStringList parts;
    for (const int value : values)
        parts << QString::number(value);
    return parts.join(u',');
}

// "TEXT VOICE" as the file keeps it.
std::optional<BlockFingerprint> parsed(const QString &value)
{
    const QStringList parts = value.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return std::nullopt;
    return BlockFingerprint{parts.at(0), parts.at(1)};
}

} // namespace

QString textFingerprint(const QString &spokenText)
{
    return shortDigest(spokenText);
}

QString voiceFingerprint(const Settings &settings, const VoiceParams &voice, MarkupKind markup)
{
    QStringList parts = {QString::number(int(markup)),
                         voice.name,
                         joined(voice.pitch),
                         joined(voice.speed),
                         joined(voice.pause),
                         QString::number(settings.fullVolume),
                         QString::number(settings.announceBlockNumber),
                         QString::number(settings.pauseAtStart),
                         QString::number(settings.pauseAtEnd)};
    for (const QString &roleVoice : voice.roleVoice)
        parts << roleVoice;
    return shortDigest(parts.join(u'\n'));
}

QString blockFingerprintPath(const QString &audioFolder)
{
    return audioFolder + u'/' + kFileName;
}

QHash<int, BlockFingerprint> readBlockFingerprints(const QString &audioFolder)
{
    QHash<int, BlockFingerprint> fingerprints;
    const IniDocument document = IniDocument::load(blockFingerprintPath(audioFolder));
    bool inSection = false;
    for (const QString &line : document.lines()) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inSection = trimmed.compare(u'[' + kSection + u']', Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = trimmed.indexOf(u'=');
        if (!inSection || equals <= 0)
            continue;
        bool number = false;
        const int block = trimmed.left(equals).trimmed().toInt(&number);
        if (!number)
            continue;
        if (const auto fingerprint = parsed(trimmed.mid(equals + 1)))
            fingerprints.insert(block, *fingerprint);
    }
    return fingerprints;
}

std::optional<BlockFingerprint> readBlockFingerprint(const QString &audioFolder, int block)
{
    const auto value = readIni(kSection, QString::number(block), blockFingerprintPath(audioFolder));
    return value ? parsed(*value) : std::nullopt;
}

bool writeBlockFingerprint(const QString &audioFolder, int block, const BlockFingerprint &fingerprint)
{
    return writeIni(kSection, QString::number(block), fingerprint.text + u' ' + fingerprint.voice,
                    blockFingerprintPath(audioFolder));
}
