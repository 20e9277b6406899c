#include "mp3/ui/lame_options_widget.h"

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

// The first part of the objectNames of each mode's radio button, box and slider.
QString modeName(int mode)
{
    static const char *const names[3] = {"constantBitrate", "variableQuality", "averageBitrate"};
    return QString::fromLatin1(names[mode]);
}

} // namespace

LameOptionsWidget::LameOptionsWidget(QWidget *parent) : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *box = new QGroupBox(QStringLiteral("Параметры MP3"), this);
    box->setObjectName(QStringLiteral("mp3ParametersBox"));
    outer->addWidget(box);
    auto *layout = new QVBoxLayout(box);

    const std::pair<const char *, QString> modes[3] = {
        {"CBR", QStringLiteral("Кодировать с постоянным битрейтом")},
        {"VBR", QStringLiteral("Кодировать с переменным битрейтом по качеству")},
        {"ABR", QStringLiteral("Кодировать с переменным битрейтом по среднему значению битрейта")},
    };
    auto *modeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_modeRadios[i] = new QRadioButton(QString::fromLatin1(modes[i].first), box);
        m_modeRadios[i]->setObjectName(modeName(i) + QStringLiteral("Radio"));
        m_modeRadios[i]->setToolTip(modes[i].second);
        modeRow->addWidget(m_modeRadios[i]);
        connect(m_modeRadios[i], &QRadioButton::clicked, this, [this, i] {
            m_options.mode = kModes[i];
            userChanged();
        });
    }
    layout->addLayout(modeRow);

    layout->addWidget(buildModeBox(0, m_modeSliders[0], LameOptions::kFirstBitratePosition,
                                   LameOptions::kLastBitratePosition, QStringLiteral("Битрейт")));
    layout->addWidget(buildModeBox(1, m_modeSliders[1], LameOptions::kBestQuality, LameOptions::kSmallestQuality,
                                   QStringLiteral("0 - Максимальное качество звука, 9 - максимальное сжатие")));
    layout->addWidget(buildModeBox(2, m_modeSliders[2], LameOptions::kLowestAverage, LameOptions::kHighestAverage,
                                   QStringLiteral("Средний битрейт")));
    m_modeSliders[2]->setTickInterval(16);
    m_modeSliders[2]->setTickPosition(QSlider::TicksBelow);
    connect(m_modeSliders[0], &QSlider::valueChanged, this, [this](int v) {
        m_options.bitratePosition = v;
        userChanged();
    });
    connect(m_modeSliders[1], &QSlider::valueChanged, this, [this](int v) {
        m_options.quality = v;
        userChanged();
    });
    connect(m_modeSliders[2], &QSlider::valueChanged, this, [this](int v) {
        m_options.averageBitrate = v;
        userChanged();
    });

    auto *optimisationRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Оптимизация:"), box);
    label->setObjectName(QStringLiteral("optimisationLabel"));
    m_optimisationCombo = new QComboBox(box);
    m_optimisationCombo->setObjectName(QStringLiteral("optimisationCombo"));
    m_optimisationCombo->setToolTip(QStringLiteral("Оптимизация кодирования (скорость или качество)"));
    m_optimisationCombo->addItems(
        {QStringLiteral("Без оптимизации"), QStringLiteral("Качество"), QStringLiteral("Скорость")});
    label->setBuddy(m_optimisationCombo);
    optimisationRow->addWidget(label);
    optimisationRow->addWidget(m_optimisationCombo, 1);
    layout->addLayout(optimisationRow);
    connect(m_optimisationCombo, &QComboBox::activated, this, [this](int index) {
        m_options.optimisation = static_cast<LameOptimisation>(index);
        userChanged();
    });

    showState();
}

QGroupBox *LameOptionsWidget::buildModeBox(int index, QSlider *&slider, int lowest, int highest, const QString &tip)
{
    auto *frame = new QGroupBox(this);
    frame->setObjectName(modeName(index) + QStringLiteral("Box"));
    auto *layout = new QVBoxLayout(frame);
    slider = new QSlider(Qt::Horizontal, frame);
    slider->setObjectName(modeName(index) + QStringLiteral("Slider"));
    slider->setRange(lowest, highest);
    slider->setSingleStep(1);
    slider->setPageStep(5);
    slider->setToolTip(tip);
    layout->addWidget(slider);
    m_modeBoxes[index] = frame;
    return frame;
}

void LameOptionsWidget::setOptionString(const QString &optionText)
{
    m_options.parseLameOptions(optionText);
    showState();
    emit changed();
}

void LameOptionsWidget::userChanged()
{
    if (m_showing)
        return;
    showState();
    emit changed();
}

void LameOptionsWidget::showState()
{
    m_showing = true;
    for (int i = 0; i < 3; ++i) {
        const bool chosen = m_options.mode == kModes[i];
        m_modeRadios[i]->setChecked(chosen);
        m_modeBoxes[i]->setVisible(chosen);
    }
    m_modeSliders[0]->setValue(m_options.bitratePosition);
    m_modeSliders[1]->setValue(m_options.quality);
    m_modeSliders[2]->setValue(m_options.averageBitrate);
    m_modeBoxes[0]->setTitle(m_options.bitrateCaption());
    m_modeBoxes[1]->setTitle(m_options.qualityCaption());
    m_modeBoxes[2]->setTitle(m_options.averageBitrateCaption());
    m_optimisationCombo->setCurrentIndex(static_cast<int>(m_options.optimisation));
    m_showing = false;
}
