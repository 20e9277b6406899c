#include "dic_op.h"

#include "dictionaries/dic_file.h"
#include "dictionaries/dic_list.h"

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

template <typename T>
T *named(T *widget, const char *name, const QString &tip = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!tip.isEmpty())
        widget->setToolTip(tip);
    return widget;
}

} // namespace

DicOp::DicOp(const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_folder(programPath(programFolder, QStringLiteral("\\Dic")))
{
    setObjectName(QStringLiteral("DicOp"));
    setWindowTitle(QStringLiteral("Обработка словарей"));
    m_action = named(new QComboBox(this), "Combo1", QStringLiteral("Выберите действие"));
    m_action->addItems({QStringLiteral("Удалить записи (вычитание словарей)..."),
                        QStringLiteral("Удалить повторные записи в словаре..."), QStringLiteral("Разделить словарь..."),
                        QStringLiteral("Объединить словари..."), QStringLiteral("Конвертировать словарь...")});
    m_panels = new QStackedWidget(this);
    m_panels->addWidget(buildSubtractPanel());
    m_panels->addWidget(buildRepeatsPanel());
    m_panels->addWidget(buildSplitPanel());
    m_panels->addWidget(buildMergePanel());
    m_panels->addWidget(buildConvertPanel());
    m_run = named(new QPushButton(QStringLiteral("Выполнить"), this), "Command1",
                  QStringLiteral("Начать / отменить выбранное действие"));
    m_progress = named(new QProgressBar(this), "ProgressBar1");
    m_status = named(new QLabel(this), "StatusBar1");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Выберите действие"), this));
    layout->addWidget(m_action);
    layout->addWidget(m_panels, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_run);
    layout->addLayout(bottom);
    layout->addWidget(m_status);
    resize(520, 380);

    connect(m_action, &QComboBox::currentIndexChanged, m_panels, &QStackedWidget::setCurrentIndex);
    connect(m_run, &QPushButton::clicked, this, &DicOp::runOrCancel);
    Fill();
}

QString DicOp::path(const QString &name) const
{
    return pathInDictionaryFolder(m_folder, name);
}

QString DicOp::statusText() const
{
    return m_status->text();
}

void DicOp::showStatus(const QString &text)
{
    m_status->setText(text);
}

QLineEdit *DicOp::targetField(QWidget *panel, const char *name)
{
    return named(new QLineEdit(panel), name, QStringLiteral("Сохранить как..."));
}

QComboBox *DicOp::sourceList(QWidget *panel, const char *name, QLineEdit *target)
{
    auto *list = named(new QComboBox(panel), name);
    m_sourceLists.append(list);
    if (target)
        connect(list, &QComboBox::currentTextChanged, target, [target](const QString &name) {
            target->setText(name.isEmpty() ? QString() : defaultTargetName(name));
        });
    return list;
}

QCheckBox *DicOp::overwriteBox(QWidget *panel, const char *name, QComboBox *source, QLineEdit *target)
{
    auto *box = named(new QCheckBox(QStringLiteral("Перезаписать оригинальный файл"), panel), name);
    connect(box, &QCheckBox::toggled, target, [source, target](bool on) {
        target->setText(on ? source->currentText() : defaultTargetName(source->currentText()));
    });
    return box;
}

QWidget *DicOp::buildSubtractPanel()
{
    auto *panel = new QWidget(this);
    m_subTarget = targetField(panel, "txtSubTarget");
    m_subSource = sourceList(panel, "cmbSubSource", m_subTarget);
    m_subOther = sourceList(panel, "cmbSubOther", nullptr);
    m_subKeyOnly = named(new QCheckBox(QStringLiteral("Удалять различные произношения одного слова"), panel), "chkSubKeyOnly",
                         QStringLiteral("При сравнении учитывать только исходное слово, игнорируя произношение"));
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_subSource);
    form->addRow(QStringLiteral("Записи, имеющиеся в каком словаре нужно удалить"), m_subOther);
    form->addRow(m_subKeyOnly);
    form->addRow(QStringLiteral("Сохранить как..."), m_subTarget);
    form->addRow(overwriteBox(panel, "chkSubOverwrite", m_subSource, m_subTarget));
    return panel;
}

QWidget *DicOp::buildRepeatsPanel()
{
    auto *panel = new QWidget(this);
    m_repTarget = targetField(panel, "txtRepTarget");
    m_repSource = sourceList(panel, "cmbRepSource", m_repTarget);
    m_repKeyOnly = named(new QCheckBox(QStringLiteral("Удалять различные произношения одного слова"), panel), "chkRepKeyOnly",
                         QStringLiteral("При сравнении учитывать только исходное слово, игнорируя произношение"));
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_repSource);
    form->addRow(m_repKeyOnly);
    form->addRow(QStringLiteral("Сохранить как..."), m_repTarget);
    form->addRow(overwriteBox(panel, "chkRepOverwrite", m_repSource, m_repTarget));
    return panel;
}

QWidget *DicOp::buildSplitPanel()
{
    auto *panel = new QWidget(this);
    m_splitSource = sourceList(panel, "cmbSplitSource", nullptr);
    m_byEntries = named(new QRadioButton(QStringLiteral("Кол-во записей:"), panel), "optEntries");
    auto *byParts = named(new QRadioButton(QStringLiteral("Кол-во частей:"), panel), "optParts");
    m_byEntries->setChecked(true);
    m_entries = named(new QSpinBox(panel), "txtEntries");
    m_entries->setRange(1, 10000000);
    m_entries->setValue(1000);
    m_parts = named(new QSpinBox(panel), "txtParts");
    m_parts->setRange(1, 10000);
    m_parts->setValue(2);
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_splitSource);
    form->addRow(m_byEntries, m_entries);
    form->addRow(byParts, m_parts);
    return panel;
}

QWidget *DicOp::buildMergePanel()
{
    auto *panel = new QWidget(this);
    m_mergeList = named(new QListWidget(panel), "lstMerge");
    m_mergeTarget = targetField(panel, "txtMergeTarget");
    m_mergeTarget->setToolTip(QStringLiteral("Сохранить объединенный словарь как..."));
    auto *up = named(new QPushButton(QStringLiteral("Переместить выдел. вверх"), panel), "cmdUp");
    auto *down = named(new QPushButton(QStringLiteral("Переместить выдел. вниз"), panel), "cmdDown");
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
                m_mergeTarget->setText(defaultTargetName(m_mergeList->item(i)->text(), QStringLiteral("_All")));
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
    layout->addWidget(m_mergeTarget);
    return panel;
}

QWidget *DicOp::buildConvertPanel()
{
    auto *panel = new QWidget(this);
    m_convTarget = targetField(panel, "txtConvTarget");
    m_convSource = sourceList(panel, "cmbConvSource", m_convTarget);
    m_toGrave = named(new QRadioButton(QStringLiteral("Nikolai -> Katerina"), panel), "optToGrave",
                      QStringLiteral("Заменить символы ударения движка (< > -> `)"));
    auto *toAngle = named(new QRadioButton(QStringLiteral("Katerina -> Nikolai"), panel), "optToAngle",
                          QStringLiteral("Заменить символы ударения движка (` -> <)"));
    m_toGrave->setChecked(true);
    auto *form = new QFormLayout(panel);
    form->addRow(QStringLiteral("Исходный словарь"), m_convSource);
    form->addRow(m_toGrave);
    form->addRow(toAngle);
    form->addRow(QStringLiteral("Сохранить как..."), m_convTarget);
    form->addRow(overwriteBox(panel, "chkConvOverwrite", m_convSource, m_convTarget));
    return panel;
}

void DicOp::Fill()
{
    const DicList list = LoadDicList(m_folder);
    for (QComboBox *source : m_sourceLists) {
        const QString chosen = source->currentText();
        source->clear();
        source->addItems(list.DicNames);
        if (const int at = source->findText(chosen); at >= 0)
            source->setCurrentIndex(at);
    }
    m_mergeList->clear();
    for (const QString &name : list.DicNames) {
        auto *item = new QListWidgetItem(name, m_mergeList);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void DicOp::runOrCancel()
{
    if (m_running) {
        m_cancelled = true;
        return;
    }
    m_running = true;
    m_cancelled = false;
    m_run->setText(QStringLiteral("Отмена"));
    m_progress->setValue(0);
    const OperationResult result = runChosen();
    m_running = false;
    m_run->setText(QStringLiteral("Выполнить"));
    m_progress->setValue(result.cancelled ? m_progress->value() : 100);
    if (result.cancelled)
        showStatus(QStringLiteral("Действие отменено."));
    else if (result.failed)
        showStatus(QStringLiteral("Не удалось прочитать или записать файл словаря."));
    Fill();
}

OperationResult DicOp::runChosen()
{
    ToolProgress progress;
    progress.report = [this](int percent, const QString &status) {
        m_progress->setValue(percent);
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
    switch (Operation(m_action->currentIndex())) {
    case Subtract:
        if (m_subSource->currentText().isEmpty() || m_subTarget->text().isEmpty())
            return cancelled;
        return subtractDictionaries(path(m_subSource->currentText()), path(m_subOther->currentText()),
                                    path(m_subTarget->text()), m_subKeyOnly->isChecked(), progress);
    case RemoveRepeats:
        if (m_repSource->currentText().isEmpty() || m_repTarget->text().isEmpty())
            return cancelled;
        return removeRepeats(path(m_repSource->currentText()), path(m_repTarget->text()), m_repKeyOnly->isChecked(),
                             progress);
    case Split: {
        if (m_splitSource->currentText().isEmpty())
            return cancelled;
        const QString source = path(m_splitSource->currentText());
        DicTable table;
        LoadDictionaryFile(table, source, false);
        const int perPart = m_byEntries->isChecked() ? m_entries->value() : entriesPerPartFor(table.Count(), m_parts->value());
        return splitDictionary(source, perPart, progress);
    }
    case Merge: {
        QStringList sources;
        for (int i = 0; i < m_mergeList->count(); ++i)
            if (m_mergeList->item(i)->checkState() == Qt::Checked)
                sources.append(path(m_mergeList->item(i)->text()));
        if (sources.isEmpty() || m_mergeTarget->text().isEmpty())
            return cancelled;
        return mergeDictionaries(sources, path(m_mergeTarget->text()), progress);
    }
    case Convert:
        if (m_convSource->currentText().isEmpty() || m_convTarget->text().isEmpty())
            return cancelled;
        return convertDictionaryStress(path(m_convSource->currentText()), path(m_convTarget->text()),
                                       m_toGrave->isChecked() ? StressConversion::AngleToGrave
                                                              : StressConversion::GraveToAngle,
                                       progress);
    }
    return cancelled;
}
