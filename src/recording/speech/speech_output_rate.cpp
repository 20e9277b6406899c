#include "recording/speech/speech_output_rate.h"

#include "recording/speech/espeak_engine.h"

int speechBytesPerSecond()
{
    return EspeakEngine::instance().format().bytesPerSecond();
}
