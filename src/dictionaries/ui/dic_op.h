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

// DicOp: "Обработка словарей", batch operations over dictionary files
// (subtraction, repeat removal, splitting, merging, stress-mark conversion).
class DicOp : public QDialog
{
    Q_OBJECT
public:
    enum Operation { Subtract, RemoveRepeats, Split, Merge, Convert };

    explicit DicOp(const QString &programFolder, QWidget *parent = nullptr);

    // Refills every list of dictionaries from the folder.
    void Fill();
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
    QComboBox *m_action = nullptr;
    QStackedWidget *m_panels = nullptr;
    QPushButton *m_run = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QList<QComboBox *> m_sourceLists;

    QComboBox *m_subSource = nullptr, *m_subOther = nullptr;
    QCheckBox *m_subKeyOnly = nullptr;
    QLineEdit *m_subTarget = nullptr;
    QComboBox *m_repSource = nullptr;
    QCheckBox *m_repKeyOnly = nullptr;
    QLineEdit *m_repTarget = nullptr;
    QComboBox *m_splitSource = nullptr;
    QRadioButton *m_byEntries = nullptr;
    QSpinBox *m_entries = nullptr, *m_parts = nullptr;
    QListWidget *m_mergeList = nullptr;
    QLineEdit *m_mergeTarget = nullptr;
    QComboBox *m_convSource = nullptr;
    QRadioButton *m_toGrave = nullptr;
    QLineEdit *m_convTarget = nullptr;
};
