#include "encoder_page.h"

#include "mp3/ui/lame_opt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

EncoderPage::EncoderPage(const QString &iniPath, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_iniPath(iniPath), m_dialogs(dialogs), m_lameOpt(new LameOpt(this)),
      m_parameters(new QLineEdit(this)), m_size(new QLabel(this)), m_presetList(new QComboBox(this)),
      m_save(new QPushButton(this)), m_delete(new QPushButton(this))
{
    m_lameOpt->setObjectName(QStringLiteral("LameOpt"));
    m_parameters->setObjectName(QStringLiteral("txtLameParameters"));
    m_parameters->setToolTip(QStringLiteral("Параметры LAME (см. Lame.txt)"));
    m_parameters->setText(QStringLiteral("-b 16 -h -V 6 -B 112 --resample 16"));
    m_size->setObjectName(QStringLiteral("lblSize"));
    m_presetList->setObjectName(QStringLiteral("cboPresets"));
    m_presetList->setToolTip(QStringLiteral("Выбрать предварительные настройки кодирования"));
    m_save->setObjectName(QStringLiteral("cmdSavePreset"));
    m_save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_save->setToolTip(QStringLiteral("Сохранить текущие настройки как новый пресет"));
    m_delete->setObjectName(QStringLiteral("cmdDeletePreset"));
    m_delete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_delete->setToolTip(QStringLiteral("Удалить пресет"));

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Пресет:"), this), 0, 0);
    layout->addWidget(m_presetList, 0, 1);
    layout->addWidget(m_save, 0, 2);
    layout->addWidget(m_delete, 0, 3);
    layout->addWidget(m_lameOpt, 1, 0, 1, 4);
    layout->addWidget(m_parameters, 2, 0, 1, 3);
    layout->addWidget(m_size, 2, 3);
    layout->setColumnStretch(1, 1);

    askPresetName = [this](const QString &proposed) {
        return QInputDialog::getText(this, LamePresets::kNameTitle, LamePresets::kNamePrompt, QLineEdit::Normal,
                                     proposed);
    };
    connect(m_lameOpt, &LameOpt::Change, this, [this] {
        m_parameters->setText(m_lameOpt->Lamestring());
        showSize();
    });
    connect(m_presetList, &QComboBox::activated, this, &EncoderPage::choosePreset);
    connect(m_save, &QPushButton::clicked, this, &EncoderPage::savePreset);
    connect(m_delete, &QPushButton::clicked, this, &EncoderPage::deletePreset);
    showSize();
}

void EncoderPage::showSize()
{
    const std::optional<double> perHour = m_lameOpt->MbPH();
    const QString unit = QStringLiteral(" МБ/Час");
    m_size->setText(perHour ? QString::number(*perHour, 'f', 2) + unit : unit);
}

void EncoderPage::loadPresets()
{
    m_presets = LamePresets::read(m_iniPath);
    fillPresetList(m_presets.selectedOnOpening());
}

void EncoderPage::fillPresetList(std::optional<int> choose)
{
    {
        const QSignalBlocker block(m_presetList);
        m_presetList->clear();
        for (const LamePreset &preset : m_presets.list())
            m_presetList->addItem(preset.name);
        m_presetList->setCurrentIndex(-1);
    }
    if (choose && *choose >= 0 && *choose < m_presetList->count())
        choosePreset(*choose);
}

void EncoderPage::choosePreset(int index)
{
    if (index < 0 || index >= m_presets.list().size())
        return;
    m_presetList->setCurrentIndex(index);
    applyParameters(m_presets.list().at(index).options);
}

void EncoderPage::applyParameters(const QString &parameters)
{
    m_lameOpt->Sets(parameters);
    m_parameters->setText(parameters);
}

QString EncoderPage::parameters() const
{
    return m_parameters->text();
}

void EncoderPage::savePreset()
{
    const int shown = m_presetList->currentIndex();
    const QString name =
        askPresetName(m_presets.proposedName(shown >= 0 ? std::optional<int>(shown) : std::nullopt));
    if (!m_presets.saveAs(name, m_parameters->text(), m_dialogs))
        return;
    // The list is written before it is refilled, so "Selected" still names
    // the preset shown before; the next save stores the new choice.
    SavePresets();
    fillPresetList(m_presets.list().size() - 1);
}

void EncoderPage::deletePreset()
{
    const int index = m_presetList->currentIndex();
    if (index < 0)
        return;
    m_presets.remove(index);
    fillPresetList(m_presets.isEmpty() ? std::nullopt : std::optional<int>(0));
}

bool EncoderPage::SavePresets()
{
    const int selected = m_presetList->currentIndex();
    return m_presets.SavePresets(m_iniPath, selected >= 0 ? std::optional<int>(selected) : std::nullopt);
}

void EncoderPage::setLocked(bool locked)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_lameOpt, m_presetList, m_save, m_delete})
        w->setEnabled(!locked);
}
