#include "lame_opt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const LameMode kModes[3] = {LameMode::ConstantBitrate, LameMode::VariableQuality, LameMode::AverageBitrate};

} // namespace

LameOpt::LameOpt(QWidget *parent) : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *box = new QGroupBox(QStringLiteral("Параметры MP3"), this);
    box->setObjectName(QStringLiteral("Frame4"));
    outer->addWidget(box);
    auto *layout = new QVBoxLayout(box);

    const std::pair<const char *, QString> modes[3] = {
        {"CBR", QStringLiteral("Кодировать с постоянным битрейтом")},
        {"VBR", QStringLiteral("Кодировать с переменным битрейтом по качеству")},
        {"ABR", QStringLiteral("Кодировать с переменным битрейтом по среднему значению битрейта")},
    };
    auto *modeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_modes[i] = new QRadioButton(QString::fromLatin1(modes[i].first), box);
        m_modes[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        m_modes[i]->setToolTip(modes[i].second);
        modeRow->addWidget(m_modes[i]);
        connect(m_modes[i], &QRadioButton::clicked, this, [this, i] {
            m_options.mode = kModes[i];
            userChanged();
        });
    }
    layout->addLayout(modeRow);

    layout->addWidget(modeFrame(0, m_sliders[0], LameOptions::kFirstBitratePosition,
                                LameOptions::kLastBitratePosition, QStringLiteral("Битрейт")));
    layout->addWidget(modeFrame(1, m_sliders[1], LameOptions::kBestQuality, LameOptions::kSmallestQuality,
                                QStringLiteral("0 - Максимальное качество звука, 9 - максимальное сжатие")));
    layout->addWidget(modeFrame(2, m_sliders[2], LameOptions::kLowestAverage, LameOptions::kHighestAverage,
                                QStringLiteral("Средний битрейт")));
    m_sliders[2]->setTickInterval(16);
    m_sliders[2]->setTickPosition(QSlider::TicksBelow);
    connect(m_sliders[0], &QSlider::valueChanged, this, [this](int v) { m_options.bitratePosition = v; userChanged(); });
    connect(m_sliders[1], &QSlider::valueChanged, this, [this](int v) { m_options.quality = v; userChanged(); });
    connect(m_sliders[2], &QSlider::valueChanged, this, [this](int v) { m_options.averageBitrate = v; userChanged(); });

    auto *optimisationRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Оптимизация:"), box);
    label->setObjectName(QStringLiteral("Label1"));
    m_optimisation = new QComboBox(box);
    m_optimisation->setObjectName(QStringLiteral("Combo1"));
    m_optimisation->setToolTip(QStringLiteral("Оптимизация кодирования (скорость или качество)"));
    m_optimisation->addItems({QStringLiteral("Без оптимизации"), QStringLiteral("Качество"), QStringLiteral("Скорость")});
    label->setBuddy(m_optimisation);
    optimisationRow->addWidget(label);
    optimisationRow->addWidget(m_optimisation, 1);
    layout->addLayout(optimisationRow);
    connect(m_optimisation, &QComboBox::activated, this, [this](int index) {
        m_options.optimisation = static_cast<LameOptimisation>(index);
        userChanged();
    });

    showState();
}

QGroupBox *LameOpt::modeFrame(int index, QSlider *&slider, int lowest, int highest, const QString &tip)
{
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame%1").arg(index + 1));
    auto *layout = new QVBoxLayout(frame);
    slider = new QSlider(Qt::Horizontal, frame);
    slider->setObjectName(QStringLiteral("Slider%1").arg(index + 1));
    slider->setRange(lowest, highest);
    slider->setSingleStep(1);
    slider->setPageStep(5);
    slider->setToolTip(tip);
    layout->addWidget(slider);
    m_frames[index] = frame;
    return frame;
}

void LameOpt::Sets(const QString &par)
{
    m_options.Sets(par);
    showState();
    emit Change();
}

void LameOpt::userChanged()
{
    if (m_showing)
        return;
    showState();
    emit Change();
}

void LameOpt::showState()
{
    m_showing = true;
    for (int i = 0; i < 3; ++i) {
        const bool chosen = m_options.mode == kModes[i];
        m_modes[i]->setChecked(chosen);
        m_frames[i]->setVisible(chosen);
    }
    m_sliders[0]->setValue(m_options.bitratePosition);
    m_sliders[1]->setValue(m_options.quality);
    m_sliders[2]->setValue(m_options.averageBitrate);
    m_frames[0]->setTitle(m_options.bitrateCaption());
    m_frames[1]->setTitle(m_options.qualityCaption());
    m_frames[2]->setTitle(m_options.averageBitrateCaption());
    m_optimisation->setCurrentIndex(static_cast<int>(m_options.optimisation));
    m_showing = false;
}
