// The reader window's way to the fix of a word heard wrong: the text view's
// menu item on the word under the mouse, and F2 on the word being read.

#include "reader/ui/reader_window.h"

#include "reader/pronunciation_fix.h"
#include "reader/ui/pronunciation_fix_dialog.h"
#include "recording/speech_trial_voice.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>

void ReaderWindow::buildPronunciationFix()
{
    m_textView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_textView, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const int position = m_textView->cursorForPosition(at).position();
        const QString text = m_textView->toPlainText();
        const auto [start, length] = wordAt(text, position);
        std::unique_ptr<QMenu> menu(m_textView->createStandardContextMenu(at));
        if (length > 0) {
            menu->addSeparator();
            QAction *fix = menu->addAction(QStringLiteral("Исправить произношение «%1»…").arg(text.mid(start, length)));
            fix->setObjectName(QStringLiteral("fixPronunciationAction"));
            connect(fix, &QAction::triggered, this, [this, position] { openPronunciationFix(position); });
        }
        menu->exec(m_textView->viewport()->mapToGlobal(at));
    });
    auto *key = new QAction(QStringLiteral("Исправить произношение читаемого слова…"), this);
    key->setObjectName(QStringLiteral("fixReadWordAction"));
    key->setShortcut(QKeySequence(Qt::Key_F2));
    addAction(key);
    // The word being read, or the one at the caret when nothing is.
    connect(key, &QAction::triggered, this, [this] {
        openPronunciationFix(m_wordEnd > m_wordStart ? m_wordStart : m_textView->textCursor().position());
    });
}

PronunciationFixDialog *ReaderWindow::openPronunciationFix(int position)
{
    const QString text = m_textView->toPlainText();
    const auto [start, length] = wordAt(text, position);
    if (length == 0)
        return nullptr;
    // The reading waits while the word is mended and tried.
    if (m_reader.isReading() && !m_reader.isPaused())
        pause();
    if (!m_fixVoice)
        m_fixVoice = std::make_unique<SpeechTrialVoice>(m_settings);
    QStringList books;
    for (int i = 0; i < m_bookCombo->count(); ++i)
        books.append(m_bookCombo->itemText(i));
    auto *dialog = new PronunciationFixDialog(std::make_unique<PronunciationFix>(m_programFolder, m_settings,
                                                                                 text.mid(start, length),
                                                                                 sentenceAround(text, position)),
                                              m_fixVoice.get(), m_bookCombo->currentText(), books, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &PronunciationFixDialog::rerecordRequested, this, &ReaderWindow::rerecordRequested);
    dialog->show();
    return dialog;
}
