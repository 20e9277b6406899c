#include "options/ui/speech_programs_page.h"

#include "common/ui/named_control.h"
#include "common/user_dialogs.h"
#include "recording/speech/program_speech.h"
#include "recording/speech/speech_program_finder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

const QString SpeechProgramsPage::kSampleSentence =
    QStringLiteral("Проверка голоса. Сегодня мы чита+ем книгу вслух, и голос звучит хорошо.");

namespace {

// The combo's order of the stress forms.
constexpr StressForm kStressForms[] = {StressForm::PlusAfter, StressForm::PlusBefore, StressForm::CombiningAcute,
                                       StressForm::Removed};

QString listText(const SpeechProgramDefinition &definition, const QHash<QString, QString> &missing)
{
    if (definition.enabled)
        return definition.name;
    const QString why = missing.value(definition.section);
    return why.isEmpty() ? definition.name + QStringLiteral(" (выключен)")
                         : definition.name + QStringLiteral(" (выключен: %1)").arg(why);
}

// What the switched-off known programs lack, without changing anything.
QHash<QString, QString> missingPrograms(const QList<SpeechProgramDefinition> &definitions)
{
    QList<SpeechProgramDefinition> searched = definitions;
    QHash<QString, QString> missing = switchOnFoundSpeechPrograms(searched, programSearchPlaces());
    for (const SpeechProgramDefinition &definition : definitions)
        if (definition.enabled)
            missing.remove(definition.section);
    return missing;
}

// A section name the file does not have yet.
QString freeSection(const QList<SpeechProgramDefinition> &definitions, const QStringList &removed)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Голос %1").arg(n);
        const bool taken = removed.contains(name, Qt::CaseInsensitive)
                           || std::any_of(definitions.cbegin(), definitions.cend(), [&](const auto &d) {
                                  return d.section.compare(name, Qt::CaseInsensitive) == 0;
                              });
        if (!taken)
            return name;
    }
}

} // namespace

SpeechProgramsPage::SpeechProgramsPage(const QString &iniPath, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_iniPath(iniPath), m_dialogs(dialogs),
      m_programList(named(new QListWidget(this), "programList", QStringLiteral("Речевые программы-голоса"))),
      m_addButton(named(new QPushButton(QStringLiteral("Новый голос"), this), "addProgramButton",
                        QStringLiteral("Добавить голос, который читает речевая программа"))),
      m_removeButton(named(new QPushButton(QStringLiteral("Удалить"), this), "removeProgramButton",
                           QStringLiteral("Удалить выбранный голос из списка"))),
      m_findButton(named(new QPushButton(QStringLiteral("Найти голоса"), this), "findVoicesButton",
                         QStringLiteral("Найти установленные речевые программы (Festival, RHVoice, Piper, espeak-ng) "
                                        "и включить их голоса"))),
      m_enabledBox(named(new QCheckBox(QStringLiteral("Голос включён"), this), "enabledBox",
                         QStringLiteral("Включённый голос появляется в списках голосов"))),
      m_nameEdit(named(new QLineEdit(this), "nameEdit", QStringLiteral("Название голоса в списках"))),
      m_commandEdit(named(new QLineEdit(this), "commandEdit",
                          QStringLiteral("Программа и её аргументы. {text} — файл с текстом, {wav} — WAV-файл, "
                                         "который пишет программа, {rate} и {pitch} — скорость и высота"))),
      m_inputCombo(named(new QComboBox(this), "inputCombo", QStringLiteral("Как программа получает текст"))),
      m_encodingEdit(named(new QLineEdit(this), "encodingEdit",
                           QStringLiteral("Кодировка текста для программы: UTF-8, windows-1251, koi8-r…"))),
      m_rateEdit(named(new QLineEdit(this), "rateEdit",
                       QStringLiteral("Три числа: значение {rate} для самой медленной, обычной и самой быстрой "
                                      "скорости. Пусто — скорость не меняется"))),
      m_pitchEdit(named(new QLineEdit(this), "pitchEdit",
                        QStringLiteral("Три числа: значение {pitch} для самого низкого, обычного и самого высокого "
                                       "голоса. Пусто — высота не меняется"))),
      m_stressCombo(named(new QComboBox(this), "stressCombo", QStringLiteral("Как передать программе ударение"))),
      m_tryButton(named(new QPushButton(QStringLiteral("Проверить"), this), "tryButton",
                        QStringLiteral("Прочитать образец фразы этой программой"))),
      m_trialLabel(named(new QLabel(this), "trialLabel"))
{
    m_inputCombo->addItems({QStringLiteral("в файле {text}"), QStringLiteral("на стандартном входе")});
    m_stressCombo->addItems({QStringLiteral("«+» после гласной"), QStringLiteral("«+» перед гласной"),
                             QStringLiteral("знак ударения над гласной"), QStringLiteral("убрать")});
    m_trialLabel->setWordWrap(true);
    m_trialLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout;
    form->addRow(m_enabledBox);
    form->addRow(QStringLiteral("Название:"), m_nameEdit);
    form->addRow(QStringLiteral("Команда:"), m_commandEdit);
    form->addRow(QStringLiteral("Текст:"), m_inputCombo);
    form->addRow(QStringLiteral("Кодировка:"), m_encodingEdit);
    form->addRow(QStringLiteral("Скорость (мин. обычн. макс.):"), m_rateEdit);
    form->addRow(QStringLiteral("Высота (мин. обычн. макс.):"), m_pitchEdit);
    form->addRow(QStringLiteral("Ударение:"), m_stressCombo);
    form->addRow(m_tryButton, m_trialLabel);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_addButton);
    listButtons->addWidget(m_removeButton);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(m_programList, 1);
    listColumn->addLayout(listButtons);
    listColumn->addWidget(m_findButton);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(form, 2);

    connect(m_programList, &QListWidget::currentRowChanged, this, [this] {
        storeChosen();
        showChosen();
    });
    connect(m_addButton, &QPushButton::clicked, this, &SpeechProgramsPage::addProgram);
    connect(m_removeButton, &QPushButton::clicked, this, &SpeechProgramsPage::removeProgram);
    connect(m_tryButton, &QPushButton::clicked, this, &SpeechProgramsPage::tryChosenProgram);
    connect(m_findButton, &QPushButton::clicked, this, &SpeechProgramsPage::findVoices);
    m_trialTimer.setInterval(200);
    connect(&m_trialTimer, &QTimer::timeout, this, &SpeechProgramsPage::followTrial);

    m_definitions = loadSpeechProgramDefinitions(m_iniPath);
    m_missing = missingPrograms(m_definitions);
    fillList();
}

int SpeechProgramsPage::chosenRow() const
{
    const int row = m_programList->currentRow();
    return row >= 0 && row < m_definitions.size() ? row : -1;
}

void SpeechProgramsPage::fillList()
{
    const QSignalBlocker blocker(m_programList);
    const int row = std::max(0, m_programList->currentRow());
    m_programList->clear();
    for (const SpeechProgramDefinition &definition : std::as_const(m_definitions))
        m_programList->addItem(listText(definition, m_missing));
    m_programList->setCurrentRow(std::min(row, int(m_definitions.size()) - 1));
    m_shownRow = -1;
    showChosen();
}

void SpeechProgramsPage::showChosen()
{
    const int row = chosenRow();
    m_shownRow = row;
    const bool any = row >= 0;
    const QList<QWidget *> form = {m_enabledBox, m_nameEdit,  m_commandEdit, m_inputCombo, m_encodingEdit,
                                   m_rateEdit,   m_pitchEdit, m_stressCombo, m_tryButton,  m_removeButton};
    for (QWidget *control : form)
        control->setEnabled(any);
    const SpeechProgramDefinition shown = any ? m_definitions.at(row) : SpeechProgramDefinition{};
    m_enabledBox->setChecked(shown.enabled);
    m_nameEdit->setText(shown.name);
    m_commandEdit->setText(shown.command);
    m_inputCombo->setCurrentIndex(shown.textOnStandardInput ? 1 : 0);
    m_encodingEdit->setText(shown.encoding);
    m_rateEdit->setText(valueRangeText(shown.rate));
    m_pitchEdit->setText(valueRangeText(shown.pitch));
    m_stressCombo->setCurrentIndex(
        int(std::find(std::begin(kStressForms), std::end(kStressForms), shown.stress) - std::begin(kStressForms)));
    m_trialLabel->clear();
}

void SpeechProgramsPage::storeChosen()
{
    if (m_shownRow < 0 || m_shownRow >= m_definitions.size())
        return;
    SpeechProgramDefinition edited = m_definitions.at(m_shownRow);
    edited.enabled = m_enabledBox->isChecked();
    edited.name = m_nameEdit->text().trimmed().isEmpty() ? edited.section : m_nameEdit->text().trimmed();
    edited.command = m_commandEdit->text().trimmed();
    edited.textOnStandardInput = m_inputCombo->currentIndex() == 1;
    edited.encoding =
        m_encodingEdit->text().trimmed().isEmpty() ? QStringLiteral("UTF-8") : m_encodingEdit->text().trimmed();
    edited.rate = parseValueRange(m_rateEdit->text());
    edited.pitch = parseValueRange(m_pitchEdit->text());
    edited.stress = kStressForms[std::clamp(m_stressCombo->currentIndex(), 0, 3)];
    const SpeechProgramDefinition &before = m_definitions.at(m_shownRow);
    const bool same = edited.enabled == before.enabled && edited.name == before.name && edited.command == before.command
                      && edited.textOnStandardInput == before.textOnStandardInput && edited.encoding == before.encoding
                      && valueRangeText(edited.rate) == valueRangeText(before.rate)
                      && valueRangeText(edited.pitch) == valueRangeText(before.pitch) && edited.stress == before.stress;
    if (same)
        return;
    m_definitions[m_shownRow] = edited;
    m_changed = true;
    if (QListWidgetItem *item = m_programList->item(m_shownRow))
        item->setText(listText(edited, m_missing));
}

void SpeechProgramsPage::findVoices()
{
    storeChosen();
    const QList<SpeechProgramDefinition> before = m_definitions;
    m_missing = switchOnFoundSpeechPrograms(m_definitions, programSearchPlaces());
    QStringList found;
    for (qsizetype i = 0; i < m_definitions.size(); ++i) {
        const SpeechProgramDefinition &now = m_definitions.at(i);
        if (now.enabled && !m_missing.contains(now.section))
            found.append(now.name);
        if (now.enabled != before.at(i).enabled || now.command != before.at(i).command)
            m_changed = true;
    }
    m_shownRow = -1;
    fillList();
    m_trialLabel->setText(found.isEmpty()
                              ? QStringLiteral("Речевые программы не найдены: чего не хватает, сказано в "
                                               "списке.")
                              : QStringLiteral("Включены голоса: %1.").arg(found.join(QStringLiteral(", "))));
}

void SpeechProgramsPage::addProgram()
{
    storeChosen();
    SpeechProgramDefinition added;
    added.section = freeSection(m_definitions, m_removedSections);
    added.enabled = true;
    added.name = added.section;
    // espeak-ng's own command line is on every machine the program runs on:
    // a form that works as it stands, to be changed into the program wanted.
    added.command = QStringLiteral("espeak-ng -v ru -s {rate} -w {wav} -f {text}");
    added.rate = ProgramValueRange{80, 175, 350};
    added.stress = StressForm::Removed;
    m_definitions.append(added);
    m_changed = true;
    m_programList->setCurrentRow(-1);
    fillList();
    m_programList->setCurrentRow(int(m_definitions.size()) - 1);
}

void SpeechProgramsPage::removeProgram()
{
    const int row = chosenRow();
    if (row < 0)
        return;
    m_removedSections.append(m_definitions.at(row).section);
    m_definitions.removeAt(row);
    m_changed = true;
    m_shownRow = -1;
    fillList();
}

bool SpeechProgramsPage::save()
{
    storeChosen();
    if (!m_changed)
        return false;
    if (!saveSpeechProgramDefinitions(m_definitions, m_removedSections, m_iniPath)) {
        m_dialogs.show({QStringLiteral("Lectorium"),
                        QStringLiteral("Не удалось записать файл голосов\n\"%1\".\nПроверьте права на запись в "
                                       "папку программы.")
                            .arg(m_iniPath),
                        DialogIcon::Critical, DialogButtons::Ok});
        return false;
    }
    m_removedSections.clear();
    m_changed = false;
    return true;
}

void SpeechProgramsPage::tryChosenProgram()
{
    storeChosen();
    const int row = chosenRow();
    if (row < 0)
        return;
    const SpeechProgramDefinition &program = m_definitions.at(row);
    if (const QString problem = speechProgramProblem(program); !problem.isEmpty()) {
        m_trialLabel->setText(problem);
        m_dialogs.show({QStringLiteral("Проверка голоса"), problem, DialogIcon::Exclamation, DialogButtons::Ok});
        return;
    }
    m_trialVoice.selectProgram(program);
    m_trialVoice.speak(kSampleSentence, SVSFlagsAsync | SVSFPurgeBeforeSpeak | SVSFIsNotXML);
    m_trialLabel->setText(QStringLiteral("Программа читает образец…"));
    m_trialTimer.start();
}

void SpeechProgramsPage::followTrial()
{
    if (!m_trialVoice.waitUntilDone(0))
        return;
    m_trialTimer.stop();
    const QString failure = m_trialVoice.failure();
    if (failure.isEmpty()) {
        m_trialLabel->setText(QStringLiteral("Голос работает: образец прочитан."));
        return;
    }
    m_trialLabel->setText(QStringLiteral("Ошибка: см. сообщение."));
    m_dialogs.show({QStringLiteral("Проверка голоса"), failure, DialogIcon::Critical, DialogButtons::Ok});
}
