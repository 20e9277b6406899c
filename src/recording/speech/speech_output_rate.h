#pragma once
// The byte rate of the WAV files the voice writes: espeak-ng's own sample
// rate (22,050 Hz), 16 bits, mono, as the file header states it. Estimates of
// speaking time divide the learnt bytes per character by it.

int speechBytesPerSecond();
