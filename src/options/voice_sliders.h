#pragma once
// Ranges of the options window's sliders: the twelve voice sliders (rate,
// pitch and pause of the four voice roles) depend on the voice's markup kind;
// the two block pauses have a fixed range. A number typed beside a slider is
// clamped into the slider's range.

#include "recording/speech/markup_kind.h"

#include <QString>

enum class VoiceColumn { Rate, Pitch, Pause };

struct SliderRange
{
    int minimum = 0;
    int maximum = 0;
    int value = 0; // the position before a stored value is put in
    int step = 1;
};

// Rate and pitch: -10..10 for a SAPI voice, 25..200 for a Speech Cube voice;
// pauses 0..3000 ms in steps of 10 for every voice.
SliderRange voiceSliderRange(MarkupKind voiceKind, VoiceColumn column);

// "В начале блока:" and "В конце блока:", milliseconds.
SliderRange blockPauseRange();

// The number a box's text gives: the text read as an integer (anything that
// is not one reads as 0), then clamped into the range.
int clampBoxText(const QString &text, const SliderRange &range);
