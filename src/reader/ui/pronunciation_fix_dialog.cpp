#include "reader/ui/pronunciation_fix_dialog.h"

#include "common/russian_count.h"
#include "common/ui/named_control.h"
#include "dictionaries/dictionary_file.h"
#include "dictionaries/trial_voice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PronunciationFixDialog::PronunciationFixDialog(std::unique_ptr<PronunciationFix> fix, TrialVoice *voice, QString book,
                                               QStringList books, QWidget *parent)
    : QDialog(parent), m_fix(std::move(fix)), m_voice(voice), m_book(std::move(book)), m_books(std::move(books))
{
    setObjectName(QStringLiteral("pronunciationFixDialog"));
    setWindowTitle(QStringLiteral("Исправить произношение «%1»").arg(m_fix->word()));
    buildControls();
    showRespelling();
}

PronunciationFixDialog::~PronunciationFixDialog() = default;

void PronunciationFixDialog::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_spokenLabel = named(new QLabel(this), "spokenLabel", QStringLiteral("Как слово произносится сейчас"));
    auto *playWord = named(new QPushButton(QStringLiteral("Произнести"), this), "playWordButton",
                           QStringLiteral("Произнести слово так, как написано ниже"));
    auto *spokenRow = new QHBoxLayout;
    spokenRow->addWidget(m_spokenLabel, 1);
    spokenRow->addWidget(playWord);
    form->addRow(QStringLiteral("Сейчас:"), spokenRow);
    m_stressButtons = new QHBoxLayout;
    form->addRow(QStringLiteral("Ударение:"), m_stressButtons);
    m_respellingEdit = named(new QLineEdit(this), "respellingEdit",
                             QStringLiteral("Как произносить слово: «+» после ударной гласной, буквы можно менять"));
    form->addRow(QStringLiteral("Произносить:"), m_respellingEdit);
    m_dictionaryChoice = named(new QComboBox(this), "dictionaryChoice", QStringLiteral("Словарь для записи"));
    m_dictionaryChoice->addItems(m_fix->dictionaryChoices());
    m_dictionaryChoice->setCurrentText(m_fix->dictionary);
    form->addRow(QStringLiteral("Словарь:"), m_dictionaryChoice);
    m_formChoice = named(new QComboBox(this), "formChoice",
                         QStringLiteral("Только эта форма слова или все формы с той же основой"));
    m_formChoice->addItems({QStringLiteral("Только эта форма"), QStringLiteral("Все формы слова")});
    form->addRow(QStringLiteral("Запись:"), m_formChoice);
    m_entryLabel = named(new QLabel(this), "entryLabel", QStringLiteral("Запись словаря, которая будет сохранена"));
    m_entryLabel->setWordWrap(true);
    form->addRow(QString(), m_entryLabel);
    layout->addLayout(form);

    auto *listen = named(new QPushButton(QStringLiteral("Прослушать"), this), "listenButton",
                         QStringLiteral("Прочитать предложение с изменением"));
    m_saveButton =
        named(new QPushButton(QStringLiteral("Сохранить"), this), "saveButton", QStringLiteral("Записать в словарь"));
    auto *close =
        named(new QPushButton(QStringLiteral("Закрыть"), this), "closeButton", QStringLiteral("Закрыть окно"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(listen);
    buttons->addWidget(m_saveButton);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    m_touchedLabel = named(new QLabel(this), "touchedLabel", QStringLiteral("Где запись меняет произношение"));
    m_touchedLabel->setWordWrap(true);
    m_rerecordButton = named(new QPushButton(QStringLiteral("Перезаписать эти блоки"), this), "rerecordButton",
                             QStringLiteral("Записать заново блоки этой книги, в которых запись меняет текст"));
    m_rerecordButton->setEnabled(false);
    layout->addWidget(m_touchedLabel);
    layout->addWidget(m_rerecordButton);

    connect(playWord, &QPushButton::clicked, this, [this] { speak(m_fix->respelling); });
    connect(listen, &QPushButton::clicked, this, [this] { speak(m_fix->spokenSentenceWithFix()); });
    connect(m_respellingEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_fix->respelling = text;
        rebuildStressButtons();
        showEntry();
    });
    connect(m_dictionaryChoice, &QComboBox::currentTextChanged, this,
            [this](const QString &name) { m_fix->dictionary = name; });
    connect(m_formChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_fix->form = index == 1 ? EntryForm::EveryForm : EntryForm::ThisForm;
        showEntry();
    });
    connect(m_saveButton, &QPushButton::clicked, this, &PronunciationFixDialog::save);
    connect(m_rerecordButton, &QPushButton::clicked, this, [this] {
        emit rerecordRequested(m_book, m_touchedBlocks);
        m_rerecordButton->setEnabled(false);
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void PronunciationFixDialog::showRespelling()
{
    m_spokenLabel->setText(m_fix->spokenForm());
    m_respellingEdit->setText(m_fix->respelling);
    rebuildStressButtons();
    showEntry();
}

void PronunciationFixDialog::rebuildStressButtons()
{
    while (QLayoutItem *item = m_stressButtons->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QString bare = QString(m_fix->respelling).remove(u'+');
    const QList<int> vowels = vowelPositions(bare);
    for (int vowel = 0; vowel < vowels.size(); ++vowel) {
        const QString name = QStringLiteral("stressButton%1").arg(vowel);
        auto *button = new QPushButton(bare.at(vowels.at(vowel)), this);
        button->setObjectName(name);
        button->setToolTip(QStringLiteral("Ударение на эту гласную"));
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 12);
        connect(button, &QPushButton::clicked, this, [this, vowel] { putStress(vowel); });
        m_stressButtons->addWidget(button);
    }
    m_stressButtons->addStretch(1);
}

void PronunciationFixDialog::putStress(int vowel)
{
    m_fix->respelling = withStressOn(m_fix->respelling, vowel);
    m_respellingEdit->setText(m_fix->respelling);
    showEntry();
    speak(m_fix->respelling);
}

void PronunciationFixDialog::showEntry()
{
    QString problem;
    const auto entry = m_fix->entry(&problem);
    m_entryLabel->setText(entry ? QStringLiteral("Запись: ") + formatEntryLine(*entry) : problem);
    m_saveButton->setEnabled(entry.has_value());
}

void PronunciationFixDialog::speak(const QString &text)
{
    if (m_voice)
        m_voice->speak(text.toHtmlEscaped(), true);
}

void PronunciationFixDialog::save()
{
    QString failure;
    if (!m_fix->save(&failure)) {
        m_touchedLabel->setText(failure);
        return;
    }
    m_spokenLabel->setText(m_fix->spokenForm());
    emit saved();
    speak(m_fix->spokenSentence());
    countTouchedBlocks();
}

void PronunciationFixDialog::countTouchedBlocks()
{
    const TouchedBlocks touched = m_fix->touchedBlocks(m_books);
    m_touchedBlocks = touched.blocksOf(m_book);
    if (!touched.failure.isEmpty()) {
        m_touchedLabel->setText(touched.failure);
        m_rerecordButton->setEnabled(false);
        return;
    }
    QString text = QStringLiteral("Сохранено. Запись меняет произношение в %1 этой книги")
                       .arg(russianCount(int(m_touchedBlocks.size()), QStringLiteral("блоке"), QStringLiteral("блоках"),
                                         QStringLiteral("блоках")));
    const int elsewhere = touched.blocksElsewhere(m_book);
    if (elsewhere > 0)
        text += QStringLiteral(" и в %1 других книг (%2)")
                    .arg(russianCount(elsewhere, QStringLiteral("блоке"), QStringLiteral("блоках"),
                                      QStringLiteral("блоках")))
                    .arg(touched.booksElsewhere(m_book));
    m_touchedLabel->setText(text + u'.');
    m_rerecordButton->setEnabled(!m_touchedBlocks.isEmpty());
}
