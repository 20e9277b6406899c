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

class LameOpt : public QWidget
{
    Q_OBJECT
public:
    explicit LameOpt(QWidget *parent = nullptr);

    std::optional<double> MbPM() const { return m_options.MbPM(); }
    std::optional<double> MbPH() const { return m_options.MbPH(); }
    void Sets(const QString &par);
    QString Lamestring() const { return m_options.Lamestring(); }

signals:
    void Change();

private:
    QGroupBox *modeFrame(int index, QSlider *&slider, int lowest, int highest, const QString &tip);
    // Shows the state: the chosen mode's frame, the slider positions, the
    // captions and the optimisation.
    void showState();
    void userChanged();

    LameOptions m_options;
    QRadioButton *m_modes[3] = {};
    QGroupBox *m_frames[3] = {};
    QSlider *m_sliders[3] = {};
    QComboBox *m_optimisation = nullptr;
    bool m_showing = false;
};
