#pragma once

#include <QDialog>

class QProgressBar;

// The progress window "Прогресс" of long dictionary operations: a bar and
// "Отмена", which sets Cancelled for the operation to find.
class ProgressWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    bool isCancelled() const { return m_cancelled; }
    QProgressBar *bar() const { return m_progressBar; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QProgressBar *m_progressBar;
    bool m_cancelled = false;
};
