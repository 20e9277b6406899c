#include "options/ui/encoder_page.h"

#include "mp3/ui/lame_options_widget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

EncoderPage::EncoderPage(const QString &iniPath, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_iniPath(iniPath), m_dialogs(dialogs), m_encoderOptions(new LameOptionsWidget(this)),
      m_parametersEdit(new QLineEdit(this)), m_sizeLabel(new QLabel(this)), m_presetCombo(new QComboBox(this)),
      m_savePresetButton(new QPushButton(this)), m_deletePresetButton(new QPushButton(this))
{
    m_encoderOptions->setObjectName(QStringLiteral("encoderOptions"));
    m_parametersEdit->setObjectName(QStringLiteral("parametersEdit"));
    m_parametersEdit->setToolTip(QStringLiteral("Параметры LAME (см. Lame.txt)"));
    m_parametersEdit->setText(QStringLiteral("-b 16 -h -V 6 -B 112 --resample 16"));
    m_sizeLabel->setObjectName(QStringLiteral("sizeLabel"));
    m_presetCombo->setObjectName(QStringLiteral("presetCombo"));
    m_presetCombo->setToolTip(QStringLiteral("Выбрать предварительные настройки кодирования"));
    m_savePresetButton->setObjectName(QStringLiteral("savePresetButton"));
    m_savePresetButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_savePresetButton->setToolTip(QStringLiteral("Сохранить текущие настройки как новый пресет"));
    m_deletePresetButton->setObjectName(QStringLiteral("deletePresetButton"));
    m_deletePresetButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_deletePresetButton->setToolTip(QStringLiteral("Удалить пресет"));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Пресет:"), this), 0, 0);
    layout->addWidget(m_presetCombo, 0, 1);
    layout->addWidget(m_savePresetButton, 0, 2);
    layout->addWidget(m_deletePresetButton, 0, 3);
    layout->addWidget(m_encoderOptions, 1, 0, 1, 4);
    layout->addWidget(m_parametersEdit, 2, 0, 1, 3);
    layout->addWidget(m_sizeLabel, 2, 3);
    layout->setColumnStretch(1, 1);

    askPresetName = [this](const QString &proposed) {
        return QInputDialog::getText(this, LamePresets::kNameTitle, LamePresets::kNamePrompt, QLineEdit::Normal,
                                     proposed);
    };
    connect(m_encoderOptions, &LameOptionsWidget::changed, this, [this] {
        m_parametersEdit->setText(m_encoderOptions->optionString());
        showSize();
    });
    connect(m_presetCombo, &QComboBox::activated, this, &EncoderPage::choosePreset);
    connect(m_savePresetButton, &QPushButton::clicked, this, &EncoderPage::savePreset);
    connect(m_deletePresetButton, &QPushButton::clicked, this, &EncoderPage::deletePreset);
    showSize();
}

void EncoderPage::showSize()
{
    const std::optional<double> perHour = m_encoderOptions->megabytesPerHour();
    const QString unit = QStringLiteral(" МБ/Час");
    m_sizeLabel->setText(perHour ? QString::number(*perHour, 'f', 2) + unit : unit);
}

void EncoderPage::loadPresets()
{
    m_presets = LamePresets::read(m_iniPath);
    fillPresetList(m_presets.selectedOnOpening());
}

void EncoderPage::fillPresetList(std::optional<int> choose)
{
    {
        const QSignalBlocker block(m_presetCombo);
        m_presetCombo->clear();
        for (const LamePreset &preset : m_presets.list())
            m_presetCombo->addItem(preset.name);
        m_presetCombo->setCurrentIndex(-1);
    }
    if (choose && *choose >= 0 && *choose < m_presetCombo->count())
        choosePreset(*choose);
}

void EncoderPage::choosePreset(int index)
{
    if (index < 0 || index >= m_presets.list().size())
        return;
    m_presetCombo->setCurrentIndex(index);
    applyParameters(m_presets.list().at(index).options);
}

void EncoderPage::applyParameters(const QString &parameters)
{
    m_encoderOptions->setOptionString(parameters);
    m_parametersEdit->setText(parameters);
}

QString EncoderPage::parameters() const
{
    return m_parametersEdit->text();
}

void EncoderPage::savePreset()
{
    const int shown = m_presetCombo->currentIndex();
    const QString name = askPresetName(m_presets.proposedName(shown >= 0 ? std::optional<int>(shown) : std::nullopt));
    if (!m_presets.saveAs(name, m_parametersEdit->text(), m_dialogs))
        return;
    // The list is written before it is refilled, so "Selected" still names
    // the preset shown before; the next save stores the new choice.
    writePresets();
    fillPresetList(m_presets.list().size() - 1);
}

void EncoderPage::deletePreset()
{
    const int index = m_presetCombo->currentIndex();
    if (index < 0)
        return;
    m_presets.remove(index);
    fillPresetList(m_presets.isEmpty() ? std::nullopt : std::optional<int>(0));
}

bool EncoderPage::writePresets()
{
    const int selected = m_presetCombo->currentIndex();
    return m_presets.savePresets(m_iniPath, selected >= 0 ? std::optional<int>(selected) : std::nullopt);
}

void EncoderPage::setLocked(bool locked)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_encoderOptions, m_presetCombo, m_savePresetButton, m_deletePresetButton})
        w->setEnabled(!locked);
}
