#pragma once
// A slider with a number box beside it: moving the slider writes its value
// into the box; leaving the box clamps the typed number into the slider's
// range and moves the slider there.

#include "options/voice_sliders.h"

#include <QWidget>

class QLineEdit;
class QSlider;

class SliderBox : public QWidget
{
    Q_OBJECT
public:
    // The slider is named "sld" + name, the box "txt" + name.
    explicit SliderBox(const QString &name, QWidget *parent = nullptr);

    void setRange(const SliderRange &range);
    SliderRange range() const;
    int value() const;
    // Clamped into the range like the slider does.
    void setValue(int value);

    QSlider *slider() const { return m_slider; }
    QLineEdit *valueEdit() const { return m_valueEdit; }

private:
    void applyTypedValue();

    QSlider *m_slider;
    QLineEdit *m_valueEdit;
};
