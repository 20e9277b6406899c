#pragma once
// The encoder options control: three modes with a slider each and an
// optimisation list, turned into an encoder option string and back.

#include "mp3/lame_options.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QGroupBox;
class QRadioButton;
class QSlider;

class LameOptionsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LameOptionsWidget(QWidget *parent = nullptr);

    std::optional<double> megabytesPerMinute() const { return m_options.megabytesPerMinute(); }
    std::optional<double> megabytesPerHour() const { return m_options.megabytesPerHour(); }
    void setOptionString(const QString &optionText);
    QString optionString() const { return m_options.lameOptionString(); }

signals:
    void changed();

private:
    QGroupBox *buildModeBox(int index, QSlider *&slider, int lowest, int highest, const QString &tip);
    // Shows the state: the chosen mode's frame, the slider positions, the
    // captions and the optimisation.
    void showState();
    void userChanged();

    LameOptions m_options;
    QRadioButton *m_modeRadios[3] = {};
    QGroupBox *m_modeBoxes[3] = {};
    QSlider *m_modeSliders[3] = {};
    QComboBox *m_optimisationCombo = nullptr;
    bool m_showing = false;
};
