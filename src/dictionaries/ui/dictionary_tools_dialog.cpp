#include "dictionaries/ui/dictionary_tools_dialog.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "dictionaries/dictionary_file.h"
#include "dictionaries/dictionary_list.h"

#include "common/program_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

template <typename T> T *named(T *widget, const char *name, const QString &tip = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!tip.isEmpty())
        widget->setToolTip(tip);
    return widget;
}

} // namespace

DictionaryToolsDialog::DictionaryToolsDialog(const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_folder(ProgramFolder(programFolder).dictionaryDir())
{
    setObjectName(QStringLiteral("DictionaryToolsDialog"));
    installHelpKey(this, HelpAnchor::dictionaryTools);
    setWindowTitle(QStringLiteral("Обработка словарей"));
    m_operationChoice = named(new QComboBox(this), "operationChoice", QStringLiteral("Выберите действие"));
    m_operationChoice->addItems({QStringLiteral("Удалить записи (вычитание словарей)..."),
                                 QStringLiteral("Удалить повторные записи в словаре..."),
                                 QStringLiteral("Разделить словарь..."), QStringLiteral("Объединить словари..."),
                                 QStringLiteral("Конвертировать словарь...")});
    m_panels = new QStackedWidget(this);
    m_panels->addWidget(buildSubtractPanel());
    m_panels->addWidget(buildRepeatsPanel());
    m_panels->addWidget(buildSplitPanel());
    m_panels->addWidget(buildMergePanel());
    m_panels->addWidget(buildConvertPanel());
    m_runButton = named(new QPushButton(QStringLiteral("Выполнить"), this), "runButton",
                        QStringLiteral("Начать / отменить выбранное действие"));
    m_progressBar = named(new QProgressBar(this), "progressBar");
    m_statusLabel = named(new QLabel(this), "statusLabel");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Выберите действие"), this));
    layout->addWidget(m_operationChoice);
    layout->addWidget(m_panels, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_progressBar, 1);
    bottom->addWidget(m_runButton);
    layout->addLayout(bottom);
    layout->addWidget(m_statusLabel);
    resize(520, 380);

    connect(m_operationChoice, &QComboBox::currentIndexChanged, m_panels, &QStackedWidget::setCurrentIndex);
    connect(m_runButton, &QPushButton::clicked, this, &DictionaryToolsDialog::runOrCancel);
    refillDictionaryChoices();
}

QString DictionaryToolsDialog::path(const QString &name) const
{
    return pathInDictionaryFolder(m_folder, name);
}

QString DictionaryToolsDialog::statusText() const
{
    return m_statusLabel->text();
}

void DictionaryToolsDialog::showStatus(const QString &text)
{
    m_statusLabel->setText(text);
}

QLineEdit *DictionaryToolsDialog::targetField(QWidget *panel, const char *name)
{
    return named(new QLineEdit(panel), name, QStringLiteral("Сохранить как..."));
}

QComboBox *DictionaryToolsDialog::sourceList(QWidget *panel, const char *name, QLineEdit *target)
{
    auto *list = named(new QComboBox(panel), name);
    m_sourceLists.append(list);
    if (target)
        connect(list, &QComboBox::currentTextChanged, target, [target](const QString &name) {
            target->setText(name.isEmpty() ? QString() : defaultTargetName(name));
        });
    return list;
}

QCheckBox *DictionaryToolsDialog::overwriteBox(QWidget *panel, const char *name, QComboBox *source, QLineEdit *target)
{
    auto *box = named(new QCheckBox(QStringLiteral("Перезаписать оригинальный файл"), panel), name);
    connect(box, &QCheckBox::toggled, target, [source, target](bool on) {
        target->setText(on ? source->currentText() : defaultTargetName(source->currentText()));
    });
    return box;
}

QWidget *DictionaryToolsDialog::buildSubtractPanel()
{
    auto *panel = new QWidget(this);
    m_subtractTargetEdit = targetField(panel, "subtractTargetEdit");
    m_subtractSourceCombo = sourceList(panel, "subtractSourceCombo", m_subtractTargetEdit);
    m_subtractOtherCombo = sourceList(panel, "subtractOtherCombo", nullptr);
    m_subtractCompareWordOnly = named(
        new QCheckBox(QStringLiteral("Удалять различные произношения одного слова"), panel), "subtractCompareWordOnly",
        QStringLiteral("При сравнении учитывать только исходное слово, игнорируя произношение"));
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_subtractSourceCombo);
    form->addRow(QStringLiteral("Записи, имеющиеся в каком словаре нужно удалить"), m_subtractOtherCombo);
    form->addRow(m_subtractCompareWordOnly);
    form->addRow(QStringLiteral("Сохранить как..."), m_subtractTargetEdit);
    form->addRow(overwriteBox(panel, "subtractOverwriteSource", m_subtractSourceCombo, m_subtractTargetEdit));
    return panel;
}

QWidget *DictionaryToolsDialog::buildRepeatsPanel()
{
    auto *panel = new QWidget(this);
    m_repeatsTargetEdit = targetField(panel, "repeatsTargetEdit");
    m_repeatsSourceCombo = sourceList(panel, "repeatsSourceCombo", m_repeatsTargetEdit);
    m_repeatsCompareWordOnly = named(
        new QCheckBox(QStringLiteral("Удалять различные произношения одного слова"), panel), "repeatsCompareWordOnly",
        QStringLiteral("При сравнении учитывать только исходное слово, игнорируя произношение"));
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_repeatsSourceCombo);
    form->addRow(m_repeatsCompareWordOnly);
    form->addRow(QStringLiteral("Сохранить как..."), m_repeatsTargetEdit);
    form->addRow(overwriteBox(panel, "repeatsOverwriteSource", m_repeatsSourceCombo, m_repeatsTargetEdit));
    return panel;
}

QWidget *DictionaryToolsDialog::buildSplitPanel()
{
    auto *panel = new QWidget(this);
    m_splitSourceCombo = sourceList(panel, "splitSourceCombo", nullptr);
    m_splitByEntries = named(new QRadioButton(QStringLiteral("Кол-во записей:"), panel), "splitByEntries");
    auto *byParts = named(new QRadioButton(QStringLiteral("Кол-во частей:"), panel), "splitByParts");
    m_splitByEntries->setChecked(true);
    m_entriesPerPartSpin = named(new QSpinBox(panel), "entriesPerPartSpin");
    m_entriesPerPartSpin->setRange(1, 10000000);
    m_entriesPerPartSpin->setValue(1000);
    m_partCountSpin = named(new QSpinBox(panel), "partCountSpin");
    m_partCountSpin->setRange(1, 10000);
    m_partCountSpin->setValue(2);
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_splitSourceCombo);
    form->addRow(m_splitByEntries, m_entriesPerPartSpin);
    form->addRow(byParts, m_partCountSpin);
    return panel;
}

QWidget *DictionaryToolsDialog::buildMergePanel()
{
    auto *panel = new QWidget(this);
    m_mergeList = named(new QListWidget(panel), "mergeList");
    m_mergeTargetEdit = targetField(panel, "mergeTargetEdit");
    m_mergeTargetEdit->setToolTip(QStringLiteral("Сохранить объединенный словарь как..."));
    auto *up = named(new QPushButton(QStringLiteral("Переместить выдел. вверх"), panel), "moveUpButton");
    auto *down = named(new QPushButton(QStringLiteral("Переместить выдел. вниз"), panel), "moveDownButton");
    auto move = [this](int delta) {
        const int row = m_mergeList->currentRow();
        if (row < 0 || row + delta < 0 || row + delta >= m_mergeList->count())
            return;
        QListWidgetItem *item = m_mergeList->takeItem(row);
        m_mergeList->insertItem(row + delta, item);
        m_mergeList->setCurrentRow(row + delta);
    };
    connect(up, &QPushButton::clicked, this, [move] { move(-1); });
    connect(down, &QPushButton::clicked, this, [move] { move(1); });
    connect(m_mergeList, &QListWidget::itemChanged, this, [this] {
        for (int i = 0; i < m_mergeList->count(); ++i)
            if (m_mergeList->item(i)->checkState() == Qt::Checked) {
                m_mergeTargetEdit->setText(defaultTargetName(m_mergeList->item(i)->text(), QStringLiteral("_All")));
                return;
            }
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(QStringLiteral("Отметьте словари, которые нужно объединить"), panel));
    layout->addWidget(m_mergeList, 1);
    layout->addLayout(buttons);
    layout->addWidget(new QLabel(QStringLiteral("Сохранить объединенный словарь как..."), panel));
    layout->addWidget(m_mergeTargetEdit);
    return panel;
}

QWidget *DictionaryToolsDialog::buildConvertPanel()
{
    auto *panel = new QWidget(this);
    m_convertTargetEdit = targetField(panel, "convertTargetEdit");
    m_convertSourceCombo = sourceList(panel, "convertSourceCombo", m_convertTargetEdit);
    m_convertToGrave = named(new QRadioButton(QStringLiteral("Nikolai -> Katerina"), panel), "convertToGrave",
                             QStringLiteral("Заменить символы ударения движка (< > -> `)"));
    auto *toAngle = named(new QRadioButton(QStringLiteral("Katerina -> Nikolai"), panel), "convertToAngle",
                          QStringLiteral("Заменить символы ударения движка (` -> <)"));
    m_convertToGrave->setChecked(true);
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_convertSourceCombo);
    form->addRow(m_convertToGrave);
    form->addRow(toAngle);
    form->addRow(QStringLiteral("Сохранить как..."), m_convertTargetEdit);
    form->addRow(overwriteBox(panel, "convertOverwriteSource", m_convertSourceCombo, m_convertTargetEdit));
    return panel;
}

void DictionaryToolsDialog::refillDictionaryChoices()
{
    QStringList names;
    for (const ListedDictionary &dictionary : loadDictionaryList(m_folder))
        names.append(dictionary.name);
    for (QComboBox *source : m_sourceLists) {
        const QString chosen = source->currentText();
        source->clear();
        source->addItems(names);
        if (const int at = source->findText(chosen); at >= 0)
            source->setCurrentIndex(at);
    }
    m_mergeList->clear();
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(name, m_mergeList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void DictionaryToolsDialog::runOrCancel()
{
    if (m_running) {
        m_cancelled = true;
        return;
    }
    m_running = true;
    m_cancelled = false;
    m_runButton->setText(QStringLiteral("Отмена"));
    m_progressBar->setValue(0);
    const OperationResult result = runChosen();
    m_running = false;
    m_runButton->setText(QStringLiteral("Выполнить"));
    m_progressBar->setValue(result.cancelled ? m_progressBar->value() : 100);
    if (result.cancelled)
        showStatus(QStringLiteral("Действие отменено."));
    else if (result.failed)
        showStatus(QStringLiteral("Не удалось прочитать или записать файл словаря."));
    refillDictionaryChoices();
}

OperationResult DictionaryToolsDialog::runChosen()
{
    ToolProgress progress;
    progress.report = [this](int percent, const QString &status) {
        m_progressBar->setValue(percent);
        if (!status.isEmpty())
            showStatus(status);
        QApplication::processEvents();
    };
    progress.cancelled = [this] {
        QApplication::processEvents();
        return m_cancelled;
    };
    OperationResult cancelled;
    cancelled.cancelled = true;
    switch (Operation(m_operationChoice->currentIndex())) {
    case Subtract:
        if (m_subtractSourceCombo->currentText().isEmpty() || m_subtractTargetEdit->text().isEmpty())
            return cancelled;
        return subtractDictionaries(path(m_subtractSourceCombo->currentText()),
                                    path(m_subtractOtherCombo->currentText()), path(m_subtractTargetEdit->text()),
                                    m_subtractCompareWordOnly->isChecked(), progress);
    case RemoveRepeats:
        if (m_repeatsSourceCombo->currentText().isEmpty() || m_repeatsTargetEdit->text().isEmpty())
            return cancelled;
        return removeRepeats(path(m_repeatsSourceCombo->currentText()), path(m_repeatsTargetEdit->text()),
                             m_repeatsCompareWordOnly->isChecked(), progress);
    case Split: {
        if (m_splitSourceCombo->currentText().isEmpty())
            return cancelled;
        const QString source = path(m_splitSourceCombo->currentText());
        DictionaryTable table;
        loadDictionaryFile(table, source, false);
        const int perPart = m_splitByEntries->isChecked()
                                ? m_entriesPerPartSpin->value()
                                : entriesPerPartFor(int(table.size()), m_partCountSpin->value());
        return splitDictionary(source, perPart, progress);
    }
    case Merge: {
        QStringList sources;
        for (int i = 0; i < m_mergeList->count(); ++i)
            if (m_mergeList->item(i)->checkState() == Qt::Checked)
                sources.append(path(m_mergeList->item(i)->text()));
        if (sources.isEmpty() || m_mergeTargetEdit->text().isEmpty())
            return cancelled;
        return mergeDictionaries(sources, path(m_mergeTargetEdit->text()), progress);
    }
    case Convert:
        if (m_convertSourceCombo->currentText().isEmpty() || m_convertTargetEdit->text().isEmpty())
            return cancelled;
        return convertDictionaryStress(
            path(m_convertSourceCombo->currentText()), path(m_convertTargetEdit->text()),
            m_convertToGrave->isChecked() ? StressConversion::AngleToGrave : StressConversion::GraveToAngle, progress);
    }
    return cancelled;
}
