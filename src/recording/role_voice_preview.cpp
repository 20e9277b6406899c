#include "recording/role_voice_preview.h"

#include "recording/speech/speech_voice.h"
#include "recording/voice_markup.h"

namespace {

const QString kDialogue = QStringLiteral(" {повествование->} Лиса подошла к колодцу и заглянула вниз. {речь->} "
                                         "Кто там сидит? {автор->} спросила она. {речь2->} Это я, козёл! "
                                         "{повествование->} ответили из колодца.");

} // namespace

QString rolePreviewMarkup(const VoiceParams &voice)
{
    return voice.voiceKind == MarkupKind::PlainText ? toCubeMarkup(kDialogue, voice) : toSapiMarkup(kDialogue, voice);
}

int rolePreviewFlags(const VoiceParams &voice)
{
    return SVSFlagsAsync | SVSFPurgeBeforeSpeak | (voice.voiceKind == MarkupKind::PlainText ? SVSFIsNotXML : SVSFIsXML);
}
