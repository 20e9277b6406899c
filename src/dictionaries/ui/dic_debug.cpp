#include "dic_debug.h"

#include "form7.h"

#include "dictionaries/dictionary_debugger.h"

#include "import/rtf_reader.h"
#include "common/text_codec.h"
#include "common/user_dialogs.h"
#include "common/user_file.h"

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

DicDebug::DicDebug(const QString &programFolder, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_programFolder(programFolder), m_dialogs(dialogs), m_dictionaries(programFolder)
{
    setObjectName(QStringLiteral("DicDebug"));
    setWindowTitle(QStringLiteral("Lectorium - отладчик словаря"));
    m_source = pane(this, "Text1", QStringLiteral("Исходный текст"));
    m_result = pane(this, "Text2", QStringLiteral("Результат обработки словарем..."));
    m_result->setReadOnly(true);
    auto *open = button(this, "Command1", QStringLiteral("Открыть текст..."));
    auto *lists = button(this, "Command2", QStringLiteral("Словари..."));
    m_process = button(this, "Command3", QStringLiteral("Обработать"));
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("Label1"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(lists);
    buttons->addStretch();
    buttons->addWidget(m_time);
    buttons->addWidget(m_process);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_source, 1);
    layout->addWidget(m_result, 1);
    layout->addLayout(buttons);
    resize(700, 500);

    chooseTextFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Открыть текст..."), QString(),
                                            QStringLiteral("Все форматы (*.txt;*.rtf) (*.txt *.rtf);;"
                                                           "Текстовые файлы (*.txt) (*.txt);;"
                                                           "Текст в формате RTF (*.rtf) (*.rtf)"));
    };
    connect(open, &QPushButton::clicked, this, [this] {
        const QString path = chooseTextFile();
        if (!path.isEmpty())
            loadText(path);
    });
    connect(lists, &QPushButton::clicked, this, [this] {
        Form7 window(m_programFolder, m_dialogs, this);
        window.exec();
    });
    connect(m_process, &QPushButton::clicked, this, &DicDebug::process);
}

void DicDebug::loadText(const QString &path)
{
    const std::optional<QByteArray> bytes = UserFile::readBytes(path);
    if (!bytes) {
        m_dialogs.show({QStringLiteral("Lectorium"), QStringLiteral("Не удалось открыть файл:\n%1").arg(path),
                        DialogIcon::Exclamation, DialogButtons::Ok});
        return;
    }
    const bool rtf = path.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive) && bytes->startsWith("{\\rtf");
    m_source->setPlainText(rtf ? rtfPlainText(readRtf(*bytes)) : Codec::decodeUserFile(*bytes));
}

void DicDebug::process()
{
    const QString caption = m_process->text();
    m_process->setText(QStringLiteral("Обработка..."));
    m_process->setEnabled(false);
    QApplication::processEvents();
    const DebugRun run = processWithDictionaries(m_dictionaries, m_source->toPlainText(),
                                                 [] { QApplication::processEvents(); });
    m_result->setPlainText(run.result);
    m_time->setText(debugTimeText(run.seconds));
    m_process->setText(caption);
    m_process->setEnabled(true);
}
