#include "options/ui/slider_box.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>

SliderBox::SliderBox(const QString &name, QWidget *parent)
    : QWidget(parent), m_slider(new QSlider(Qt::Horizontal, this)), m_valueEdit(new QLineEdit(this))
{
    setObjectName(name);
    m_slider->setObjectName(name + QStringLiteral("Slider"));
    m_valueEdit->setObjectName(name + QStringLiteral("Edit"));
    m_valueEdit->setMaximumWidth(m_valueEdit->fontMetrics().horizontalAdvance(QStringLiteral("-00000")) + 12);
    m_valueEdit->setAlignment(Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_valueEdit);
    m_valueEdit->setText(QString::number(m_slider->value()));
    connect(m_slider, &QSlider::valueChanged, this,
            [this](int value) { m_valueEdit->setText(QString::number(value)); });
    connect(m_valueEdit, &QLineEdit::editingFinished, this, &SliderBox::applyTypedValue);
}

void SliderBox::setRange(const SliderRange &range)
{
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setSingleStep(range.step);
    m_slider->setPageStep(range.step * 10);
    setValue(range.value);
}

SliderRange SliderBox::range() const
{
    return {m_slider->minimum(), m_slider->maximum(), m_slider->value(), m_slider->singleStep()};
}

int SliderBox::value() const
{
    return m_slider->value();
}

void SliderBox::setValue(int value)
{
    m_slider->setValue(value);
    m_valueEdit->setText(QString::number(m_slider->value()));
}

void SliderBox::applyTypedValue()
{
    setValue(clampBoxText(m_valueEdit->text(), range()));
}
