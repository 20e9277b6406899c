#pragma once

#include "dictionaries/dictionary_operations.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

// DictionaryToolsDialog: "Обработка словарей", batch operations over dictionary files
// (subtraction, repeat removal, splitting, merging, stress-mark conversion).
class DictionaryToolsDialog : public QDialog
{
    Q_OBJECT
public:
    enum Operation { Subtract, RemoveRepeats, Split, Merge, Convert };

    explicit DictionaryToolsDialog(const QString &programFolder, QWidget *parent = nullptr);

    // Refills every list of dictionaries from the folder.
    void refillDictionaryChoices();
    QString statusText() const;
    bool isRunning() const { return m_running; }

private:
    QWidget *buildSubtractPanel();
    QWidget *buildRepeatsPanel();
    QWidget *buildSplitPanel();
    QWidget *buildMergePanel();
    QWidget *buildConvertPanel();
    QComboBox *sourceList(QWidget *panel, const char *name, QLineEdit *target);
    QLineEdit *targetField(QWidget *panel, const char *name);
    QCheckBox *overwriteBox(QWidget *panel, const char *name, QComboBox *source, QLineEdit *target);
    void runOrCancel();
    OperationResult runChosen();
    QString path(const QString &name) const;
    void showStatus(const QString &text);

    QString m_folder;
    bool m_running = false;
    bool m_cancelled = false;
    QComboBox *m_operationChoice = nullptr;
    QStackedWidget *m_panels = nullptr;
    QPushButton *m_runButton = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_statusLabel = nullptr;
    QList<QComboBox *> m_sourceLists;

    QComboBox *m_subtractSourceCombo = nullptr, *m_subtractOtherCombo = nullptr;
    QCheckBox *m_subtractCompareWordOnly = nullptr;
    QLineEdit *m_subtractTargetEdit = nullptr;
    QComboBox *m_repeatsSourceCombo = nullptr;
    QCheckBox *m_repeatsCompareWordOnly = nullptr;
    QLineEdit *m_repeatsTargetEdit = nullptr;
    QComboBox *m_splitSourceCombo = nullptr;
    QRadioButton *m_splitByEntries = nullptr;
    QSpinBox *m_entriesPerPartSpin = nullptr, *m_partCountSpin = nullptr;
    QListWidget *m_mergeList = nullptr;
    QLineEdit *m_mergeTargetEdit = nullptr;
    QComboBox *m_convertSourceCombo = nullptr;
    QRadioButton *m_convertToGrave = nullptr;
    QLineEdit *m_convertTargetEdit = nullptr;
};
