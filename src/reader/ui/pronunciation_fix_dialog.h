#pragma once

#include "reader/pronunciation_fix.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QHBoxLayout;
class TrialVoice;

// "Исправить произношение «слово»…": the word as the voice is given it, a
// button per vowel to put the stress there, the respelling, the dictionary
// and the entry's form, "Прослушать" (the sentence with the change),
// "Сохранить", then how many blocks the entry changes and "Перезаписать эти
// блоки". What it does is PronunciationFix's; the window only shows it.
class PronunciationFixDialog : public QDialog
{
    Q_OBJECT
public:
    // `voice` may be null (nothing is spoken); `book` is the book being read,
    // `books` the library's, whose blocks the entry is counted in.
    PronunciationFixDialog(std::unique_ptr<PronunciationFix> fix, TrialVoice *voice, QString book, QStringList books,
                           QWidget *parent = nullptr);
    ~PronunciationFixDialog() override;

    PronunciationFix &fix() { return *m_fix; }
    // The blocks of the book being read the saved entry changes.
    const QList<int> &touchedBlocks() const { return m_touchedBlocks; }

signals:
    // "Перезаписать эти блоки": the blocks of `book` to record again.
    void rerecordRequested(const QString &book, const QList<int> &blocks);
    // The entry is saved: the reader may speak the sentence again.
    void saved();

private:
    void buildControls();
    void showRespelling();
    void rebuildStressButtons();
    void putStress(int vowel);
    void showEntry();
    void speak(const QString &text);
    void save();
    void countTouchedBlocks();

    std::unique_ptr<PronunciationFix> m_fix;
    TrialVoice *m_voice;
    QString m_book;
    QStringList m_books;
    QList<int> m_touchedBlocks;

    QLabel *m_spokenLabel = nullptr;
    QHBoxLayout *m_stressButtons = nullptr;
    QLineEdit *m_respellingEdit = nullptr;
    QComboBox *m_dictionaryChoice = nullptr;
    QComboBox *m_formChoice = nullptr;
    QLabel *m_entryLabel = nullptr;
    QPushButton *m_saveButton = nullptr;
    QLabel *m_touchedLabel = nullptr;
    QPushButton *m_rerecordButton = nullptr;
};
