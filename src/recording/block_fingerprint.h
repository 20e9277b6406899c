#pragma once
// What a block's MP3 was made from, in short: a digest of the text the voice
// was given (after the pronunciation dictionaries and the stresses, before
// the voice markup) and one of the voice settings that shape the sound. It is
// kept in the book's audio folder beside the MP3 files, so a later run can
// tell an MP3 that still says what the block says from one made before a
// dictionary entry changed the block, and record only the latter again.

#include "app/settings.h"
#include "recording/speech/markup_kind.h"
#include "recording/speech/voice_table.h"

#include <QHash>
#include <QString>

#include <optional>

struct BlockFingerprint
{
    QString text;  // digest of the spoken text
    QString voice; // digest of the voice settings

    bool operator==(const BlockFingerprint &) const = default;
};

// A short digest (16 hexadecimal digits) of the spoken text.
QString textFingerprint(const QString &spokenText);
// A short digest of what besides the text decides the sound: the voice and
// its rates, pitches, pauses and role voices, the volume, the pauses around
// a block and the spoken block number.
QString voiceFingerprint(const Settings &settings, const VoiceParams &voice, MarkupKind markup);

// The file of the fingerprints in a book's audio folder.
QString blockFingerprintPath(const QString &audioFolder);

// Every fingerprint kept for the book's blocks, by block number; blocks
// recorded before fingerprints were kept have none.
QHash<int, BlockFingerprint> readBlockFingerprints(const QString &audioFolder);
std::optional<BlockFingerprint> readBlockFingerprint(const QString &audioFolder, int block);
// Keeps block `block`'s fingerprint; false when the file could not be written.
bool writeBlockFingerprint(const QString &audioFolder, int block, const BlockFingerprint &fingerprint);
