#include "dictionaries/ui/dictionary_debugger_window.h"
#include "common/ui/help_key.h"
#include "common/user_guide.h"

#include "dictionaries/ui/dictionary_list_dialog.h"

#include "dictionaries/dictionary_debugger.h"

#include "common/text_codec.h"
#include "common/user_dialogs.h"
#include "common/user_file.h"
#include "import/rtf_reader.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QPlainTextEdit *pane(QWidget *parent, const char *name, const QString &placeholder)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(placeholder);
    edit->setToolTip(placeholder);
    return edit;
}

} // namespace

DictionaryDebuggerWindow::DictionaryDebuggerWindow(const QString &programFolder, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_programFolder(programFolder), m_dialogs(dialogs), m_dictionaries(programFolder)
{
    setObjectName(QStringLiteral("DictionaryDebuggerWindow"));
    installHelpKey(this, HelpAnchor::dictionaryDebugger);
    setWindowTitle(QStringLiteral("Lectorium - отладчик словаря"));
    m_sourceTextEdit = pane(this, "sourceTextEdit", QStringLiteral("Исходный текст"));
    m_resultTextEdit = pane(this, "resultTextEdit", QStringLiteral("Результат обработки словарем..."));
    m_resultTextEdit->setReadOnly(true);
    auto *open = button(this, "openTextButton", QStringLiteral("Открыть текст..."));
    auto *lists = button(this, "dictionaryListButton", QStringLiteral("Словари..."));
    m_processButton = button(this, "processButton", QStringLiteral("Обработать"));
    m_timeLabel = new QLabel(this);
    m_timeLabel->setObjectName(QStringLiteral("timeLabel"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(lists);
    buttons->addStretch();
    buttons->addWidget(m_timeLabel);
    buttons->addWidget(m_processButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sourceTextEdit, 1);
    layout->addWidget(m_resultTextEdit, 1);
    layout->addLayout(buttons);
    resize(700, 500);

    chooseTextFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Открыть текст..."), QString(),
                                            QStringLiteral("Все форматы (*.txt *.rtf);;"
                                                           "Текстовые файлы (*.txt);;"
                                                           "Текст в формате RTF (*.rtf)"));
    };
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = chooseTextFile();
        if (!path.isEmpty())
            loadText(path);
    });
    connect(lists, &QPushButton::clicked, this, [this] {
        DictionaryListDialog window(m_programFolder, m_dialogs, this);
        window.exec();
    });
    connect(m_processButton, &QPushButton::clicked, this, &DictionaryDebuggerWindow::process);
}

void DictionaryDebuggerWindow::loadText(const QString &path)
{
    const std::optional<QByteArray> bytes = UserFile::readBytes(path);
    if (!bytes) {
        m_dialogs.show({QStringLiteral("Lectorium"), QStringLiteral("Не удалось открыть файл:\n%1").arg(path),
                        DialogIcon::Exclamation, DialogButtons::Ok});
        return;
    }
    const bool rtf = path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive) && bytes->startsWith("{\\rtf");
    m_sourceTextEdit->setPlainText(rtf ? rtfPlainText(readRtf(*bytes)) : Codec::decodeUserFile(*bytes));
}

void DictionaryDebuggerWindow::process()
{
    const QString caption = m_processButton->text();
    m_processButton->setText(QStringLiteral("Обработка..."));
    m_processButton->setEnabled(false);
    QApplication::processEvents();
    const DebugRun run =
        processWithDictionaries(m_dictionaries, m_sourceTextEdit->toPlainText(), [] { QApplication::processEvents(); });
    m_resultTextEdit->setPlainText(run.result);
    m_timeLabel->setText(debugTimeText(run.seconds));
    m_processButton->setText(caption);
    m_processButton->setEnabled(true);
    if (!run.failure.isEmpty())
        m_dialogs.show({QStringLiteral("Lectorium"), run.failure, DialogIcon::Exclamation, DialogButtons::Ok});
}
